#pragma once

#include <string>

// The program's font table: font files added for the moment, so that their faces can be drawn,
// and removed again. Adds and removes are counted per path: a file stays added until it was removed
// as often as added.
class IFontTable {
 public:
  virtual ~IFontTable() = default;
  virtual void AddFontResource(const std::string& path) = 0;
  virtual void RemoveFontResource(const std::string& path) = 0;
  // Tells every top-level window that the fonts changed.
  virtual void BroadcastFontChange() = 0;
};

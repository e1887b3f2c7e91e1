#pragma once

#include <string>

// fontconfig's cache of the fonts in a folder, which other programs read to find them.
class ISystemFontCache {
 public:
  virtual ~ISystemFontCache() = default;
  // Brings the record of the folder up to date with the files now in it. Best effort: a folder
  // whose record cannot be written is still scanned by whoever looks at it next.
  virtual void Refresh(const std::string& folder) = 0;
};

#pragma once

#include <map>
#include <string>

#include "platform/IFontTable.h"

// The font table over the program's own added faces, which the font services list, and Qt's
// font database, which draws them. A file stays added until it was removed as often as added.
class FontconfigFontTable final : public IFontTable {
 public:
  FontconfigFontTable() = default;
  ~FontconfigFontTable() override;
  FontconfigFontTable(const FontconfigFontTable&) = delete;
  FontconfigFontTable& operator=(const FontconfigFontTable&) = delete;

  void AddFontResource(const std::string& path) override;
  void RemoveFontResource(const std::string& path) override;
  void BroadcastFontChange() override;

  bool IsAdded(const std::string& path) const { return added_.count(path) != 0; }

 private:
  struct Added {
    int Count = 0;
    int QtId = -1;
  };
  std::map<std::string, Added> added_;
};

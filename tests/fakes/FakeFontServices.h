#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/fonts/IFontServices.h"

// Families with prepared faces. ScreenFontNames gives "Default" and the families; a family
// may also be left off the screen to play a printer-only font.
class FakeFontServices final : public IFontServices {
 public:
  // A family of TrueType faces with the given style names.
  void AddTrueTypeFamily(const std::string& family, const std::vector<std::string>& styles);
  void AddFamily(const std::string& family, std::vector<FontStyleRecord> faces);

  std::vector<std::string> ScreenFontNames() override;
  std::vector<std::string> InstalledFamilies() override { return families_; }
  std::vector<FontStyleRecord> EnumFontFamilies(const std::string& family) override;

  std::vector<std::string> extraScreenNames;
  int enumerations = 0;

 private:
  std::vector<std::string> families_;
  std::map<std::string, std::vector<FontStyleRecord>> faces_;
};

#include "platform/fonts/ResidentFontClones.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "platform/text/AsciiCase.h"

namespace {

// The families of the 35 standard PostScript fonts, as PPDs name them on their "*Font" lines,
// and URW's metric-compatible clones of them (fonts-urw-base35): a sheet for a printer that
// holds these fonts sets every line as the printer would. fontconfig's own aliases cover only
// some spellings ("New Century Schoolbook", not "NewCenturySchlbk") and put an unrelated face in
// place of the rest.
constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kStandardFontClones = {{
    {"AvantGarde", "URW Gothic"},
    {"Bookman", "URW Bookman"},
    {"Courier", "Nimbus Mono PS"},
    {"Helvetica", "Nimbus Sans"},
    {"Helvetica-Narrow", "Nimbus Sans Narrow"},
    {"NewCenturySchlbk", "C059"},
    {"Palatino", "P052"},
    {"Symbol", "Standard Symbols PS"},
    {"Times", "Nimbus Roman"},
    {"ZapfChancery", "Z003"},
    {"ZapfDingbats", "D050000L"},
}};

std::string Key(std::string_view name) {
  std::string key;
  for (const char c : name) {
    if (c != ' ' && c != '-') key += LowerAscii(c);
  }
  return key;
}

}  // namespace

std::string ResidentFontClone(const std::string& family) {
  const std::string key = Key(family);
  const auto found = std::find_if(kStandardFontClones.begin(), kStandardFontClones.end(),
                                  [&key](const auto& entry) { return Key(entry.first) == key; });
  return found == kStandardFontClones.end() ? std::string() : std::string(found->second);
}

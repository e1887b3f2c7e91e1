#include "platform/printers/PpdFonts.h"

#include <QUtf8StringView>
#include <algorithm>
#include <array>

#include "platform/text/VisibleText.h"

namespace {

// The longest name a PostScript font may have, in characters.
constexpr std::size_t kLongestPostScriptName = 63;

// The words PostScript names put after the family for weight, slant and the like; a part made
// only of them ("BoldOblique", "MediumItalic") is a style, not a word of the family.
constexpr std::array<std::string_view, 18> kStyleWords = {
    "Regular", "Roman", "Normal", "Book",  "Light",  "Medium",  "Demi",   "Semi",    "Bold",
    "Black",   "Heavy", "Ultra",  "Extra", "Italic", "Oblique", "Kursiv", "Slanted", "Inclined"};

bool IsStylePart(std::string_view part) {
  if (part.empty()) return false;
  while (!part.empty()) {
    const auto word = std::find_if(kStyleWords.begin(), kStyleWords.end(),
                                   [part](std::string_view w) { return part.starts_with(w); });
    if (word == kStyleWords.end()) return false;
    part.remove_prefix(word->size());
  }
  return true;
}

// Whether every word of the family is a style word: a face's name, not a family's.
bool OnlyStyleWords(std::string_view family) {
  while (!family.empty()) {
    const std::size_t blank = family.find(' ');
    if (!IsStylePart(family.substr(0, blank))) return false;
    family = blank == std::string_view::npos ? std::string_view() : family.substr(blank + 1);
  }
  return true;
}

std::size_t Characters(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string ResidentFamilyOf(std::string_view postScriptName) {
  // A PPD is the printer maker's text, not ours: a name with control characters would list as a
  // row that shows nothing readable, or as a broken one.
  const bool control = std::any_of(postScriptName.begin(), postScriptName.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
  });
  // A PPD is read as UTF-8; a name in another encoding would show as broken characters. A name
  // longer than PostScript allows names no font a printer holds.
  if (control || !QUtf8StringView(postScriptName).isValidUtf8() ||
      Characters(postScriptName) > kLongestPostScriptName) {
    return {};
  }
  std::string_view family = postScriptName;
  for (auto dash = family.rfind('-'); dash != std::string_view::npos && dash > 0;
       dash = family.rfind('-')) {
    if (!IsStylePart(family.substr(dash + 1))) break;
    family = family.substr(0, dash);
  }
  std::string name(family);
  std::replace(name.begin(), name.end(), '-', ' ');
  // Hyphens at either end ("-Helvetica", "---") leave blanks there, or nothing but blanks.
  const std::string_view trimmed = Trimmed(name);
  if (OnlyStyleWords(trimmed)) return {};
  return WithBidiControlsShown(trimmed);
}

std::vector<std::string> ResidentFamilies(std::string_view ppd) {
  constexpr std::string_view kFont = "*Font ";
  std::vector<std::string> families;
  while (!ppd.empty()) {
    const auto end = ppd.find('\n');
    const std::string_view line = ppd.substr(0, end);
    ppd = end == std::string_view::npos ? std::string_view() : ppd.substr(end + 1);
    if (!line.starts_with(kFont)) continue;
    // "*Font Name: ..." or, with a translation string, "*Font Name/Translation: ...".
    const std::string_view name =
        Trimmed(line.substr(kFont.size(), line.find_first_of(":/") - kFont.size()));
    std::string family = ResidentFamilyOf(name);
    if (family.empty()) continue;
    if (std::find(families.begin(), families.end(), family) == families.end()) {
      families.push_back(std::move(family));
    }
  }
  return families;
}

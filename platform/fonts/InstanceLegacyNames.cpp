#include "platform/fonts/InstanceLegacyNames.h"

#include <initializer_list>
#include <string_view>

#include "platform/text/AsciiCase.h"

namespace {

constexpr int kBoldWeight = 700;

// Takes the last blank-separated word off the words when it is one of the candidates.
bool TakeLastWord(std::string& words, std::initializer_list<std::string_view> candidates) {
  const std::size_t blank = words.find_last_of(' ');
  const std::size_t start = blank == std::string::npos ? 0 : blank + 1;
  const std::string_view last = std::string_view(words).substr(start);
  for (std::string_view candidate : candidates) {
    if (!EqualsIgnoringCase(last, candidate)) continue;
    words.erase(blank == std::string::npos ? 0 : blank);
    return true;
  }
  return false;
}

}  // namespace

InstanceLegacyNames LegacyNamesOfInstance(const std::string& family, const std::string& style,
                                          int weightClass, bool italic) {
  std::string words = style;
  // The slant and the bold weight are what a logical font asks for, so they stay styles; any
  // other weight ("Semi Bold", "Extra Bold") or width names a family of its own.
  if (italic) TakeLastWord(words, {"Italic", "Oblique"});
  const bool bold = weightClass == kBoldWeight && TakeLastWord(words, {"Bold"});
  if (!bold) TakeLastWord(words, {"Regular"});
  InstanceLegacyNames names;
  names.Family = words.empty() ? family : family + " " + words;
  if (bold) {
    names.Style = italic ? "Bold Italic" : "Bold";
  } else {
    names.Style = italic ? "Italic" : "Regular";
  }
  return names;
}

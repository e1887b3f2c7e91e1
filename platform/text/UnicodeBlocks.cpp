#include "platform/text/UnicodeBlocks.h"

#include <unicode/uchar.h>
#include <unicode/ucpmap.h>
#include <unicode/uversion.h>

#include <algorithm>
#include <regex>

#include "platform/PlatformError.h"

namespace {

// ICU names a block by its property value alias ("Latin_Extended_A"); the block list prints the
// same words with spaces, lower-case joining words and a hyphen before a lettered extension.
std::string BlockListName(std::string alias) {
  static const std::vector<std::pair<std::regex, std::string>> kRules = {
      {std::regex("_And_"), " and "},
      {std::regex("_For_"), " for "},
      {std::regex("_(Extended|Symbols|Arrows|Forms|Area)_([A-G])$"), "_$1-$2"},
      {std::regex("^Latin_1_"), "Latin-1 "},
      {std::regex("^Phags_Pa$"), "Phags-pa"},
      {std::regex("^Cypro_Minoan$"), "Cypro-Minoan"},
      {std::regex("_"), " "},
  };
  for (const auto& [pattern, replacement] : kRules) {
    alias = std::regex_replace(alias, pattern, replacement);
  }
  return alias;
}

std::vector<UnicodeBlock> ReadBlocks() {
  UErrorCode status = U_ZERO_ERROR;
  const UCPMap* map = u_getIntPropertyMap(UCHAR_BLOCK, &status);
  if (U_FAILURE(status)) throw PlatformError("The Unicode block data could not be read");
  std::vector<UnicodeBlock> blocks;
  UChar32 start = 0;
  uint32_t value = 0;
  for (UChar32 end;
       (end = ucpmap_getRange(map, start, UCPMAP_RANGE_NORMAL, 0, nullptr, nullptr, &value)) >= 0;
       start = end + 1) {
    if (value == UBLOCK_NO_BLOCK) continue;
    const char* alias =
        u_getPropertyValueName(UCHAR_BLOCK, static_cast<int32_t>(value), U_LONG_PROPERTY_NAME);
    UnicodeBlock block{BlockListName(alias != nullptr ? alias : "Unknown"),
                       static_cast<char32_t>(start), static_cast<char32_t>(end), 0};
    for (UChar32 c = start; c <= end; ++c) {
      if (u_charType(c) != U_UNASSIGNED) ++block.Assigned;
    }
    blocks.push_back(std::move(block));
  }
  return blocks;
}

}  // namespace

const std::vector<UnicodeBlock>& UnicodeBlocks::All() {
  static const std::vector<UnicodeBlock> blocks = ReadBlocks();
  return blocks;
}

int UnicodeBlocks::IndexOf(char32_t codePoint) {
  const std::vector<UnicodeBlock>& blocks = All();
  const auto after =
      std::upper_bound(blocks.begin(), blocks.end(), codePoint,
                       [](char32_t c, const UnicodeBlock& block) { return c < block.First; });
  if (after == blocks.begin()) return -1;
  const auto found = std::prev(after);
  return codePoint <= found->Last ? static_cast<int>(found - blocks.begin()) : -1;
}

CodePointKind UnicodeBlocks::KindOf(char32_t codePoint) {
  switch (u_charType(static_cast<UChar32>(codePoint))) {
    case U_UNASSIGNED:
      return CodePointKind::Unassigned;
    case U_CONTROL_CHAR:
      return CodePointKind::Control;
    case U_FORMAT_CHAR:
      return CodePointKind::Format;
    default:
      return CodePointKind::Character;
  }
}

std::string UnicodeBlocks::Version() {
  return U_UNICODE_VERSION;
}

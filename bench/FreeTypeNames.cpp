#include "FreeTypeNames.h"

#include FT_SFNT_NAMES_H

#include <algorithm>
#include <cstddef>

namespace {

constexpr FT_UInt kMaxNameRecords = 100;
constexpr std::size_t kMaxStringBytes = 100;
constexpr FT_UShort kFamilyNameId = 1;
constexpr FT_UShort kFullNameId = 4;

struct Text {
  std::string Bytes;
  bool Ascii = true;
};

Text MakeText(const FT_Byte* bytes, std::size_t size) {
  Text text;
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] >= 128) text.Ascii = false;
    if (bytes[i] >= 32) text.Bytes += static_cast<char>(bytes[i]);
  }
  const std::size_t first = text.Bytes.find_first_not_of(' ');
  if (first == std::string::npos) {
    text.Bytes.clear();
    return text;
  }
  text.Bytes = text.Bytes.substr(first, text.Bytes.find_last_not_of(' ') - first + 1);
  return text;
}

std::optional<FreeTypeFace> ChooseNames(FT_Face face) {
  std::optional<Text> family;
  const FT_UInt scanned = std::min(FT_Get_Sfnt_Name_Count(face), kMaxNameRecords);
  for (FT_UInt i = 0; i < scanned; ++i) {
    FT_SfntName name;
    if (FT_Get_Sfnt_Name(face, i, &name) != 0) continue;
    if (name.name_id != kFamilyNameId && name.name_id != kFullNameId) continue;
    Text text = MakeText(name.string, std::min<std::size_t>(name.string_len, kMaxStringBytes));
    if (name.name_id == kFamilyNameId) {
      family = std::move(text);
      continue;
    }
    if (text.Bytes.size() < 2) return std::nullopt;
    if (family)
      return FreeTypeFace{std::move(family->Bytes), std::move(text.Bytes),
                          family->Ascii && text.Ascii};
  }
  return std::nullopt;
}

}  // namespace

std::optional<FreeTypeFace> ReadFreeTypeNames(FT_Library library, const std::string& path) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, path.c_str(), 0, &face) != 0) return std::nullopt;
  std::optional<FreeTypeFace> names = ChooseNames(face);
  FT_Done_Face(face);
  return names;
}

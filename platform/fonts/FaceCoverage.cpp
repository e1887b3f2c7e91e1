#include "platform/fonts/FaceCoverage.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/PlatformError.h"
#include "platform/fonts/BigEndian.h"
#include "platform/fonts/CollectionFonts.h"
#include "platform/fonts/FreeTypeLibrary.h"
#include "platform/fonts/SfntTables.h"
#include "platform/fonts/WebFonts.h"
#include "platform/text/Windows1252.h"

namespace {

constexpr std::size_t kLargestFile = std::size_t{256} << 20;
constexpr std::size_t kTableRecord = 16;
constexpr std::size_t kOffsetTable = 12;

std::string ReadWhole(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw PlatformError("Unable to read " + file);
  std::string bytes;
  in.seekg(0, std::ios::end);
  const auto size = static_cast<std::size_t>(std::max<std::streamoff>(0, in.tellg()));
  if (size > kLargestFile) throw PlatformError(file + " is too large to be a font");
  bytes.resize(size);
  in.seekg(0);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size)))
    throw PlatformError("Unable to read " + file);
  return bytes;
}

// The font at the offset of a collection as an sfnt of its own: its offset table and table
// records, with each table copied after them on a four-byte boundary.
std::string FontAt(const std::string& bytes, std::uint64_t offset, const std::string& file) {
  const std::optional<std::vector<SfntTable>> tables = ReadSfntTables(bytes, offset);
  if (!tables) throw PlatformError(file + " is damaged");
  std::string font(bytes, offset, kOffsetTable + tables->size() * kTableRecord);
  for (std::size_t i = 0; i < tables->size(); ++i) {
    const std::uint32_t to = static_cast<std::uint32_t>(font.size());
    for (int b = 0; b < 4; ++b) {
      font[kOffsetTable + i * kTableRecord + 8 + b] = static_cast<char>(to >> (24 - 8 * b));
    }
    font += (*tables)[i].Bytes;
    font.resize((font.size() + 3) & ~std::size_t{3}, '\0');
  }
  return font;
}

std::string FaceAlone(std::string bytes, int faceIndex, const std::string& file) {
  if (WebFonts::IsWebFont(bytes)) {
    std::optional<std::string> sfnt = WebFonts::Decode(bytes);
    if (!sfnt) throw PlatformError(file + " is a damaged web font");
    bytes = std::move(*sfnt);
  }
  if (!CollectionFonts::IsCollection(bytes)) return bytes;
  for (const CollectionFonts::Font& font : CollectionFonts::Read(bytes).Fonts) {
    if (font.Index == static_cast<std::uint32_t>(faceIndex))
      return FontAt(bytes, font.Offset, file);
  }
  throw PlatformError(file + " has no face " + std::to_string(faceIndex));
}

std::string NameText(const FT_SfntName& name) {
  std::string text;
  if (name.platform_id == TT_PLATFORM_MICROSOFT || name.platform_id == TT_PLATFORM_APPLE_UNICODE) {
    for (FT_UInt i = 0; i + 1 < name.string_len; i += 2) {
      char32_t unit = static_cast<char32_t>(name.string[i] << 8 | name.string[i + 1]);
      if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < name.string_len) {
        const char32_t low = static_cast<char32_t>(name.string[i + 2] << 8 | name.string[i + 3]);
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
      AppendUtf8(text, unit);
    }
  } else {
    for (FT_UInt i = 0; i < name.string_len; ++i) AppendUtf8(text, name.string[i]);
  }
  return text;
}

// The name of the ID, in US English on Windows first, then any Unicode entry, then any at all.
std::string NameOf(FT_Face face, FT_UShort id) {
  std::array<std::string, 3> ranked;
  const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
  for (FT_UInt i = 0; i < count; ++i) {
    FT_SfntName name;
    if (FT_Get_Sfnt_Name(face, i, &name) != 0 || name.name_id != id) continue;
    const bool english = name.platform_id == TT_PLATFORM_MICROSOFT && name.language_id == 0x409;
    const bool unicode =
        name.platform_id == TT_PLATFORM_MICROSOFT || name.platform_id == TT_PLATFORM_APPLE_UNICODE;
    std::string& slot = ranked[english ? 0 : unicode ? 1 : 2];
    if (slot.empty()) slot = NameText(name);
  }
  for (const std::string& name : ranked) {
    if (!name.empty()) return name;
  }
  return {};
}

// The Unicode map a font checker counts a face's characters by, best first.
FT_CharMap BestUnicodeMap(FT_Face face) {
  constexpr std::array<std::pair<int, int>, 8> kOrder = {
      {{3, 10}, {0, 6}, {0, 4}, {3, 1}, {0, 3}, {0, 2}, {0, 1}, {0, 0}}};
  for (const auto& [platform, encoding] : kOrder) {
    for (int i = 0; i < face->num_charmaps; ++i) {
      FT_CharMap map = face->charmaps[i];
      if (map->platform_id == platform && map->encoding_id == encoding) return map;
    }
  }
  return nullptr;
}

// A symbol font's map (3,0), which a face without any Unicode map is charted by.
FT_CharMap SymbolMap(FT_Face face) {
  for (int i = 0; i < face->num_charmaps; ++i) {
    FT_CharMap map = face->charmaps[i];
    if (map->platform_id == TT_PLATFORM_MICROSOFT && map->encoding_id == TT_MS_ID_SYMBOL_CS) {
      return map;
    }
  }
  return nullptr;
}

struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

}  // namespace

FaceCoverage ReadFaceCoverage(const std::string& file, int faceIndex) {
  auto sfnt = std::make_shared<const std::string>(FaceAlone(ReadWhole(file), faceIndex, file));
  static const FreeTypeLibrary library;
  FT_Face opened = nullptr;
  if (library.Handle() == nullptr ||
      FT_New_Memory_Face(library.Handle(), reinterpret_cast<const FT_Byte*>(sfnt->data()),
                         static_cast<FT_Long>(sfnt->size()), 0, &opened) != 0) {
    throw PlatformError(file + " is not a font file");
  }
  const std::unique_ptr<FT_FaceRec_, FaceCloser> face(opened);
  FaceCoverage coverage;
  coverage.File = file;
  coverage.FaceIndex = faceIndex;
  coverage.FullName = NameOf(face.get(), TT_NAME_ID_FULL_NAME);
  const char* postScript = FT_Get_Postscript_Name(face.get());
  coverage.PostScriptName = postScript != nullptr ? postScript : "";
  if (coverage.FullName.empty()) {
    coverage.FullName = std::string(face->family_name ? face->family_name : "") + " " +
                        (face->style_name ? face->style_name : "");
  }
  coverage.Version = NameOf(face.get(), TT_NAME_ID_VERSION_STRING);
  coverage.Licence = NameOf(face.get(), TT_NAME_ID_LICENSE);
  coverage.GlyphCount = static_cast<int>(face->num_glyphs);
  coverage.UnitsPerEm = face->units_per_EM;
  coverage.Ascender = face->ascender;
  FT_CharMap map = BestUnicodeMap(face.get());
  if (map == nullptr && (map = SymbolMap(face.get())) != nullptr) coverage.SymbolEncoded = true;
  if (map != nullptr && FT_Set_Charmap(face.get(), map) == 0) {
    FT_UInt glyph = 0;
    for (FT_ULong code = FT_Get_First_Char(face.get(), &glyph); glyph != 0;
         code = FT_Get_Next_Char(face.get(), code, &glyph)) {
      if (code > 0x10FFFF) break;
      // A symbol map's codes are the Private Use Area's U+F000-F0FF, which some fonts write
      // without the high byte.
      const FT_ULong charted = coverage.SymbolEncoded && code < 0x100 ? code + 0xF000 : code;
      coverage.Codes.push_back({static_cast<char32_t>(charted), glyph});
    }
    if (coverage.SymbolEncoded) {
      std::sort(coverage.Codes.begin(), coverage.Codes.end(),
                [](const MappedCode& a, const MappedCode& b) { return a.CodePoint < b.CodePoint; });
      coverage.Codes.erase(std::unique(coverage.Codes.begin(), coverage.Codes.end(),
                                       [](const MappedCode& a, const MappedCode& b) {
                                         return a.CodePoint == b.CodePoint;
                                       }),
                           coverage.Codes.end());
    }
  }
  coverage.Sfnt = std::move(sfnt);
  return coverage;
}

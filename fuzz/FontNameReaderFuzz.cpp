// Feeds arbitrary bytes to the font name reader as a file on disk, the way the preview page
// meets them, and checks what it gives back two ways: against the promises every face keeps
// (valid UTF-8, a trimmed full name of at least two characters, the file's own name, bounded
// sizes), and against a second reading of the same bytes from memory that follows the layout
// described at the top of install/FontNameReader.cpp (single fonts, variable fonts' named
// instances, collections, and web fonts once unpacked), so a wrong
// offset or a half-read file shows as a difference and not only as a crash.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/FuzzTempDir.h"
#include "install/FontNameReader.h"
#include "platform/fonts/UnhintedSfnt.h"
#include "platform/fonts/WebFonts.h"
#include "platform/text/Windows1252.h"

namespace {

constexpr const char* kFileName = "face.ttf";
constexpr std::size_t kMaxStringBytes = 100;
// Every byte kept is one Windows-1252 character, at most three bytes of UTF-8.
constexpr std::size_t kMaxUtf8Bytes = 3 * kMaxStringBytes;

const FuzzTempDir& Folder() {
  static const FuzzTempDir folder("names");
  return folder;
}

struct Expected {
  std::string Family;
  std::string FullName;
  int Index = 0;
  bool Cff = false;
  int Instance = 0;
};

// The bytes in [at, at + size) of the input, or nothing when they run past its end.
const std::uint8_t* Slice(const std::uint8_t* data, std::size_t size, std::uint64_t at,
                          std::uint64_t length) {
  if (length == 0) return data;
  if (at > size || length > size - at) return nullptr;
  return data + at;
}

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

// Bytes below 32 dropped, spaces trimmed, the rest through Windows-1252; the character count is
// that of the trimmed bytes.
std::string TextOf(const std::uint8_t* bytes, std::size_t length, std::size_t& characters) {
  std::string kept;
  for (std::size_t i = 0; i < length; ++i)
    if (bytes[i] >= 32) kept += static_cast<char>(bytes[i]);
  while (!kept.empty() && kept.front() == ' ') kept.erase(kept.begin());
  while (!kept.empty() && kept.back() == ' ') kept.pop_back();
  characters = kept.size();
  std::string utf8;
  for (char c : kept) AppendUtf8(utf8, Windows1252ToUnicode(static_cast<unsigned char>(c)));
  return utf8;
}

std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t{U16(p)} << 16 | U16(p + 2);
}

// The subfamily name IDs of the named instances of the "fvar" table at `fvar`, of `length`
// bytes (of which the first 5 MiB are read), as a sanitiser takes them: none unless the version is
// 1, the axes' offset is not 0 (a null offset: no axes), each axis is 20 bytes, each instance
// record holds its coordinates, and the axes and instances lie within the table as the file
// holds it.
std::vector<unsigned> InstanceIds(const std::uint8_t* data, std::size_t size, std::uint64_t fvar,
                                  std::uint64_t length) {
  if (fvar > size) return {};
  const std::uint64_t held = std::min<std::uint64_t>({length, 5u << 20, size - fvar});
  const std::uint8_t* header = Slice(data, size, fvar, 16);
  if (!header || held < 16 || U16(header) != 1 || U16(header + 10) != 20) return {};
  const unsigned axes = U16(header + 8);
  const unsigned count = U16(header + 12);
  const unsigned instanceSize = U16(header + 14);
  if (instanceSize < 4 + 4 * axes || U16(header + 4) == 0) return {};
  const std::uint64_t first = U16(header + 4) + 20ull * axes;
  if (first > held || std::uint64_t{count} * instanceSize > held - first) return {};
  std::vector<unsigned> ids;
  for (unsigned i = 0; i < count && i < 256; ++i)
    ids.push_back(U16(header + first + i * instanceSize));
  return ids;
}

// The named instances' faces: "<first ID 16, else first ID 1> <first name of the instance's ID>"
// in the first 4096 name records, each full name once.
std::vector<Expected> InstancesFromMemory(const std::uint8_t* data, std::size_t size,
                                          std::uint64_t nameTable, bool cff,
                                          const std::vector<unsigned>& ids) {
  const std::uint8_t* header = Slice(data, size, nameTable, 6);
  if (!header) return {};
  const unsigned recordCount = U16(header + 2);
  const unsigned scanned = std::min(recordCount, 4096u);
  if (!Slice(data, size, nameTable + 6, 12ull * scanned)) return {};
  const std::uint64_t storage = nameTable + 6 + 12ull * recordCount;
  const auto first = [&](unsigned nameId, bool& cut) -> std::optional<std::string> {
    for (unsigned i = 0; i < scanned; ++i) {
      const std::uint8_t* record = data + nameTable + 6 + 12ull * i;
      if (U16(record + 6) != nameId) continue;
      const std::size_t length = std::min<std::size_t>(U16(record + 8), kMaxStringBytes);
      const std::uint8_t* bytes = Slice(data, size, storage + U16(record + 10), length);
      if (!bytes) {
        cut = true;
        return std::nullopt;
      }
      std::size_t characters = 0;
      return TextOf(bytes, length, characters);
    }
    return std::nullopt;
  };
  // The reader reads every wanted name's first string, and gives nothing when any runs past the
  // end; the order of those reads does not matter.
  bool cut = false;
  const std::optional<std::string> typographic = first(16, cut);
  const std::optional<std::string> legacy = first(1, cut);
  std::vector<std::optional<std::string>> styles;
  for (const unsigned id : ids) styles.push_back(first(id, cut));
  if (cut) return {};
  const std::string family =
      typographic && !typographic->empty() ? *typographic : legacy.value_or("");
  if (family.empty()) return {};
  std::vector<Expected> faces;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (!styles[i] || styles[i]->empty()) continue;
    const std::string fullName = family + " " + *styles[i];
    if (std::any_of(faces.begin(), faces.end(),
                    [&](const Expected& face) { return face.FullName == fullName; })) {
      continue;
    }
    faces.push_back({family, fullName, 0, cff, static_cast<int>(i) + 1});
  }
  return faces;
}

std::optional<Expected> StaticFaceFromMemory(const std::uint8_t* data, std::size_t size,
                                             std::uint64_t nameTable, bool cff);

// The faces of the font whose offset table is at `font`, read from memory by the layout.
std::vector<Expected> FacesFromMemory(const std::uint8_t* data, std::size_t size,
                                      std::uint64_t font) {
  const std::uint8_t* offsetTable = Slice(data, size, font, 12);
  if (!offsetTable) return {};
  const bool cff = std::string(reinterpret_cast<const char*>(offsetTable), 4) == "OTTO";
  const unsigned tableCount = U16(offsetTable + 4);
  std::optional<std::uint64_t> nameTable;
  std::optional<std::pair<std::uint64_t, std::uint64_t>> fvar;
  for (unsigned i = 0; i < tableCount && !nameTable; ++i) {
    const std::uint8_t* record = Slice(data, size, font + 12 + 16ull * i, 16);
    if (!record) return {};
    std::string tag(reinterpret_cast<const char*>(record), 4);
    tag = tag.substr(0, tag.find('\0'));
    if (tag == "name") nameTable = U32(record + 8);
    if (tag == "fvar" && !fvar) fvar = {U32(record + 8), U32(record + 12)};
  }
  if (!nameTable) return {};
  const std::vector<unsigned> ids =
      fvar ? InstanceIds(data, size, fvar->first, fvar->second) : std::vector<unsigned>{};
  if (!ids.empty()) return InstancesFromMemory(data, size, *nameTable, cff, ids);
  std::vector<Expected> faces;
  if (auto face = StaticFaceFromMemory(data, size, *nameTable, cff)) faces.push_back(*face);
  return faces;
}

std::optional<Expected> StaticFaceFromMemory(const std::uint8_t* data, std::size_t size,
                                             std::uint64_t nameTableAt, bool cff) {
  const std::optional<std::uint64_t> nameTable = nameTableAt;
  const std::uint8_t* header = Slice(data, size, *nameTable, 6);
  if (!header) return std::nullopt;
  const unsigned recordCount = U16(header + 2);
  const std::uint64_t storage = *nameTable + 6 + 12ull * recordCount;
  std::optional<std::string> family;
  // The first records of IDs 16, 2 and 17, which name a face that has no full name.
  std::vector<std::pair<unsigned, const std::uint8_t*>> makings;
  const auto textOf = [&](const std::uint8_t* record, std::size_t& characters) {
    std::size_t length = U16(record + 8);
    if (length > kMaxStringBytes) length = kMaxStringBytes;
    const std::uint8_t* bytes = Slice(data, size, storage + U16(record + 10), length);
    return bytes ? std::optional<std::string>(TextOf(bytes, length, characters)) : std::nullopt;
  };
  for (unsigned i = 0; i < recordCount && i < 100; ++i) {
    const std::uint8_t* record = Slice(data, size, *nameTable + 6 + 12ull * i, 12);
    if (!record) return std::nullopt;
    const unsigned nameId = U16(record + 6);
    if ((nameId == 16 || nameId == 2 || nameId == 17) &&
        std::none_of(makings.begin(), makings.end(),
                     [nameId](const auto& making) { return making.first == nameId; })) {
      makings.emplace_back(nameId, record);
    }
    if (nameId != 1 && nameId != 4) continue;
    std::size_t characters = 0;
    const std::optional<std::string> read = textOf(record, characters);
    if (!read) return std::nullopt;
    std::string text = *read;
    if (nameId == 1) {
      family = std::move(text);
      continue;
    }
    if (characters < 2) return std::nullopt;
    if (family) return Expected{*family, text, 0, cff};
  }
  if (!family) return std::nullopt;
  std::string typographic, style, typographicStyle;
  for (const auto& [nameId, record] : makings) {
    std::size_t characters = 0;
    const std::optional<std::string> read = textOf(record, characters);
    if (!read) return std::nullopt;
    (nameId == 16 ? typographic : nameId == 2 ? style : typographicStyle) = *read;
  }
  const std::string shownFamily = typographic.empty() ? *family : typographic;
  if (shownFamily.empty()) return std::nullopt;
  const std::string shownStyle = !typographicStyle.empty() ? typographicStyle
                                 : !style.empty()          ? style
                                                           : "Regular";
  return Expected{*family, shownFamily + " " + shownStyle, 0, cff};
}

// Every face the bytes hold: one for a single font, each font's of a collection.
std::vector<Expected> ReadFromMemory(const std::uint8_t* data, std::size_t size) {
  std::vector<Expected> faces;
  const std::uint8_t* header = Slice(data, size, 0, 12);
  if (!header) return faces;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (WebFonts::IsWebFont(bytes)) {
    const std::optional<std::string> sfnt = WebFonts::Decode(bytes);
    if (!sfnt) return faces;
    FUZZ_CHECK(sfnt->size() <= WebFonts::kLargestSfnt);
    FUZZ_CHECK(!WebFonts::IsWebFont(*sfnt));
    return ReadFromMemory(reinterpret_cast<const std::uint8_t*>(sfnt->data()), sfnt->size());
  }
  if (std::string(reinterpret_cast<const char*>(header), 4) != "ttcf") {
    return FacesFromMemory(data, size, 0);
  }
  if (U16(header + 4) != 1 && U16(header + 4) != 2) return faces;
  // The offsets end where they would run into a listed font's offset table; one that points
  // into them, or whose table records overlap an earlier font's, lists no font.
  const std::uint32_t count = std::min<std::uint32_t>(U32(header + 8), 0x10000);
  std::vector<std::pair<std::uint64_t, std::uint64_t>> directories;
  std::uint64_t lowest = UINT64_MAX;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint64_t offsetsEnd = 12 + 4ull * (i + 1);
    const std::uint8_t* offset = Slice(data, size, 12 + 4ull * i, 4);
    if (!offset || offsetsEnd > lowest) break;
    const std::uint64_t font = U32(offset);
    const std::uint8_t* tables = Slice(data, size, font + 4, 2);
    if (font < offsetsEnd || !tables) continue;
    const std::uint64_t end = font + 12 + 16ull * U16(tables);
    if (std::any_of(directories.begin(), directories.end(),
                    [&](const auto& d) { return font < d.second && d.first < end; }))
      continue;
    directories.emplace_back(font, end);
    lowest = std::min(lowest, font);
    for (Expected& face : FacesFromMemory(data, size, font)) {
      face.Index = static_cast<int>(i);
      faces.push_back(std::move(face));
    }
  }
  return faces;
}

std::size_t CodePoints(const std::string& utf8) {
  std::size_t count = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  return count;
}

bool NoControlsAndTrimmed(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 32) return false;
  return text.empty() || (text.front() != ' ' && text.back() != ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = Folder().Path();
  const std::string path = folder + "/" + kFileName;
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(file.good());
  }
  // The folder is given with and without its closing slash; both name the same file.
  const std::string directory = (size % 2 == 0) ? folder : folder + "/";
  const std::vector<FontFace> faces = ReadFontFaces(directory, kFileName);

  for (const FontFace& face : faces) {
    FUZZ_CHECK(face.Entry != nullptr);
    FUZZ_CHECK(face.Entry->FileName == kFileName);
    FUZZ_CHECK(IsValidUtf8(face.FullName));
    FUZZ_CHECK(IsValidUtf8(face.Entry->FamilyName));
    FUZZ_CHECK(CodePoints(face.FullName) >= 2);
    // A full name is one name, or a family, a blank and a subfamily.
    const std::size_t parts = 2;
    FUZZ_CHECK(face.FullName.size() <= parts * kMaxUtf8Bytes + 1);
    FUZZ_CHECK(face.Entry->FamilyName.size() <= kMaxUtf8Bytes);
    FUZZ_CHECK(CodePoints(face.FullName) <= parts * kMaxStringBytes + 1);
    FUZZ_CHECK(NoControlsAndTrimmed(face.FullName));
    FUZZ_CHECK(NoControlsAndTrimmed(face.Entry->FamilyName));
  }

  const std::vector<Expected> expected = ReadFromMemory(data, size);
  FUZZ_CHECK(faces.size() == expected.size());
  for (std::size_t i = 0; i < faces.size() && i < expected.size(); ++i) {
    FUZZ_CHECK(faces[i].FullName == expected[i].FullName);
    FUZZ_CHECK(faces[i].Entry->FamilyName == expected[i].Family);
    FUZZ_CHECK(faces[i].Entry->FaceIndex == expected[i].Index);
    FUZZ_CHECK(faces[i].Entry->CffOutlines == expected[i].Cff);
    FUZZ_CHECK(faces[i].Entry->Instance == expected[i].Instance);
  }
  // The first face is the one the single-face reading gives.
  const std::optional<FontFace> first = ReadFontNames(directory, kFileName);
  FUZZ_CHECK(first.has_value() == !faces.empty());

  // The copy a PDF page embeds is made from the same bytes; a copy is itself a face it can copy,
  // and has no hinting left.
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const std::optional<std::string> copy = UnhintedSfnt::Make(bytes, "Copy")) {
    FUZZ_CHECK(!UnhintedSfnt::HasHinting(*copy));
    FUZZ_CHECK(UnhintedSfnt::Make(*copy, "Again").has_value());
  }
  return 0;
}

// The parts of a TrueType file that the preview reads (all numbers big-endian, offsets from the
// start of the structure named):
//
//   offset table   12 bytes at file offset 0; table count u16 at 4 (the version is not looked at)
//   table record   16 bytes each, directly behind the offset table; tag 4 bytes at 0 (up to its
//                  first NUL); table offset u32 at 8 (a collection's later fonts lie past 16 MiB)
//   naming header  6 bytes at the "name" table's offset; record count u16 at 2 (the format and
//                  the storage offset are not used)
//   name record    12 bytes each, directly behind the header; name ID u16 at 6, string length
//                  u16 at 8, string offset u16 at 10 (platform, encoding and language are not
//                  looked at: the first family and full name in record order win)
//   name string    at table offset + 6 + 12 x record count + string offset, i.e. the storage is
//                  taken to start right behind the records
//
// When no full name follows the first family name in the first kMaxNameRecords records, the
// face's full name is made as fontconfig makes one: the first typographic family name (ID 16),
// else the family name; a blank; the first typographic subfamily name (ID 17), else the first
// subfamily name (ID 2), else "Regular". fontconfig keeps "Regular" in it ("Liberation Mono
// Regular"); only a variable font's named instance leaves it out.
//
//   fvar table     read whole (up to kMaxFvarBytes) at the "fvar" table's offset, for its length,
//                  and handed to HarfBuzz, which sanitises it: a table whose instance records run
//                  past its end has no named instances
//
// A variable font ("fvar" with named instances) gives one face per named instance, in order,
// named "<family> <subfamily>": the family is the first typographic family name (ID 16), else
// the first family name (ID 1), the subfamily the first name with the instance's name ID; an
// instance without its name, or named as an earlier one, is left out. Its names may lie anywhere
// in the naming table, so up to kMaxVariableNameRecords records are read for it.
//
// A web font (WOFF, WOFF 2) is unpacked to the sfnt it holds (see WebFonts), which is read by
// the same rules from memory.
//
// An OpenType file with CFF outlines ("OTTO") has the same structures. A collection starts with
// its own header instead (see CollectionFonts), whose table records give offsets from the start
// of the file as in a single font; each font it really lists is read by the rules above, in order.
//
// Only these structures and the strings used are read, never the rest of the file: listing a
// directory must stay cheap however big its fonts are. A read that comes back short means the file
// is cut off or no font at all, and the file then gives no face: nothing half-read is kept.
#include "install/FontNameReader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/files/ReadOnlyFile.h"
#include "platform/fonts/BigEndian.h"
#include "platform/fonts/CollectionFonts.h"
#include "platform/fonts/NamedInstances.h"
#include "platform/fonts/WebFonts.h"
#include "platform/text/Windows1252.h"

namespace {

constexpr std::size_t kOffsetTableSize = 12;
constexpr std::size_t kTableRecordSize = 16;
constexpr std::size_t kNamingHeaderSize = 6;
constexpr std::size_t kNameRecordSize = 12;
constexpr unsigned kMaxNameRecords = 100;
constexpr std::size_t kMaxStringBytes = 100;
constexpr std::uint16_t kFamilyNameId = 1;
constexpr std::uint16_t kSubfamilyNameId = 2;
constexpr std::uint16_t kFullNameId = 4;
constexpr std::uint16_t kTypographicSubfamilyId = 17;
constexpr std::size_t kCollectionHeaderSize = 12;
constexpr std::uint16_t kTypographicFamilyId = 16;
// Far more than the axes and instance records of any font: 65,535 instances of 16 axes.
constexpr std::size_t kMaxFvarBytes = std::size_t{5} << 20;
constexpr unsigned kMaxInstances = 256;
constexpr unsigned kMaxVariableNameRecords = 4096;
// Web fonts are read whole to be unpacked; one larger than this is no font the page lists.
constexpr std::size_t kLargestWebFont = std::size_t{32} << 20;

// A file already in memory (an unpacked web font), read the way a file on disk is.
class MemoryFile {
 public:
  explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}
  bool ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
    return ReadUpTo(offset, buffer, size) == size;
  }
  std::size_t ReadUpTo(std::uint64_t offset, void* buffer, std::size_t size) const {
    if (offset >= bytes_.size()) return 0;
    const std::size_t got = std::min<std::uint64_t>(size, bytes_.size() - offset);
    std::copy_n(bytes_.data() + offset, got, static_cast<char*>(buffer));
    return got;
  }

 private:
  std::string bytes_;
};

// Records are taken in batches, one read each, rather than one read per record: a folder of
// fonts is listed with a handful of system calls per file. A batch may reach past the record
// the rules stop at, but never past the structure it belongs to.
constexpr unsigned kTableRecordsPerRead = 64;

std::string_view TagOf(const unsigned char* record) {
  const auto* tag = reinterpret_cast<const char*>(record);
  std::string_view view(tag, 4);
  return view.substr(0, view.find('\0'));
}

// Where the "name" table starts, or nothing when the file has none or ends before its record.
// A batch that comes back short still counts for the records it holds in full: the file is cut
// off only if it ends before the "name" record.
// The first "fvar" table is looked for among the records before the "name" record, which is
// where a font's records, sorted by tag, have it.
struct FvarTable {
  std::uint32_t Offset = 0;
  std::uint32_t Length = 0;
};
struct NameTable {
  std::uint32_t Offset = 0;
  bool CffOutlines = false;
  std::optional<FvarTable> Fvar;
};

// `read` is the offset table when the caller has read it already.
template <class File>
std::optional<NameTable> FindNameTable(const File& file, std::uint64_t font,
                                       const unsigned char* read) {
  std::array<unsigned char, kOffsetTableSize> offsetTable{};
  if (read != nullptr) {
    std::copy_n(read, kOffsetTableSize, offsetTable.begin());
  } else if (!file.ReadAt(font, offsetTable.data(), offsetTable.size())) {
    return std::nullopt;
  }
  const bool cff = std::string_view(reinterpret_cast<const char*>(offsetTable.data()), 4) == "OTTO";
  const unsigned tableCount = U16At(offsetTable.data() + 4);
  std::array<unsigned char, kTableRecordSize * kTableRecordsPerRead> records{};
  std::optional<FvarTable> fvar;
  for (unsigned first = 0; first < tableCount; first += kTableRecordsPerRead) {
    const unsigned wanted = std::min(tableCount - first, kTableRecordsPerRead);
    const std::size_t got =
        file.ReadUpTo(font + kOffsetTableSize + std::uint64_t{first} * kTableRecordSize,
                      records.data(), wanted * kTableRecordSize);
    const std::size_t complete = got / kTableRecordSize;
    for (std::size_t i = 0; i < complete; ++i) {
      const unsigned char* record = records.data() + i * kTableRecordSize;
      if (TagOf(record) == "name") return NameTable{U32At(record + 8), cff, fvar};
      if (TagOf(record) == "fvar" && !fvar) fvar = FvarTable{U32At(record + 8), U32At(record + 12)};
    }
    if (complete < wanted) return std::nullopt;
  }
  return std::nullopt;
}

// The name as the program lists it: one character per byte of 32 or more (which is how a two-byte
// string of Latin text loses its zero bytes), spaces trimmed at both ends.
struct NameText {
  std::string Utf8;
  std::size_t Characters = 0;
};

NameText MakeText(const unsigned char* bytes, std::size_t size) {
  std::string kept;
  kept.reserve(size);
  for (std::size_t i = 0; i < size; ++i)
    if (bytes[i] >= 32) kept += static_cast<char>(bytes[i]);
  const std::size_t first = kept.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const std::size_t last = kept.find_last_not_of(' ');
  NameText text;
  text.Characters = last - first + 1;
  for (std::size_t i = first; i <= last; ++i) AppendWindows1252(text.Utf8, kept[i]);
  return text;
}

// The subfamily name IDs of a variable font's named instances, in order; none for a font
// without "fvar" or whose "fvar" does not hold the instances it counts.
template <class File>
std::vector<std::uint16_t> InstanceNameIds(const File& file, const FvarTable& fvar) {
  // What is missing of a table cut short, or past the most read, is missing to HarfBuzz too.
  std::vector<char> table(std::min<std::size_t>(fvar.Length, kMaxFvarBytes));
  table.resize(file.ReadUpTo(fvar.Offset, table.data(), table.size()));
  return NamedInstances::SubfamilyNameIds(std::string_view(table.data(), table.size()),
                                          kMaxInstances);
}

// The first string of each wanted name ID, in the first kMaxVariableNameRecords records; nothing
// when the table ends inside them.
template <class File>
std::optional<std::vector<std::optional<NameText>>> FirstNames(
    const File& file, std::uint32_t table, const std::vector<std::uint16_t>& wanted) {
  std::array<unsigned char, kNamingHeaderSize> header{};
  if (!file.ReadAt(table, header.data(), header.size())) return std::nullopt;
  const unsigned scanned = std::min<unsigned>(U16At(header.data() + 2), kMaxVariableNameRecords);
  const std::uint64_t recordsStart = std::uint64_t{table} + kNamingHeaderSize;
  const std::uint64_t storageStart =
      recordsStart + std::uint64_t{kNameRecordSize} * U16At(header.data() + 2);
  std::vector<unsigned char> records(std::size_t{scanned} * kNameRecordSize);
  if (!file.ReadAt(recordsStart, records.data(), records.size())) return std::nullopt;
  std::vector<std::optional<NameText>> names(wanted.size());
  // Every string lies within 64 KiB plus a string's length of the storage's start (a record's
  // offset is 16 bits): the part the wanted strings lie in is read once.
  const auto isWanted = [&wanted](std::uint16_t id) {
    return std::find(wanted.begin(), wanted.end(), id) != wanted.end();
  };
  std::size_t storageEnd = 0;
  for (unsigned i = 0; i < scanned; ++i) {
    const unsigned char* record = records.data() + std::size_t{i} * kNameRecordSize;
    if (!isWanted(U16At(record + 6))) continue;
    storageEnd = std::max<std::size_t>(
        storageEnd, U16At(record + 10) + std::min<std::size_t>(U16At(record + 8), kMaxStringBytes));
  }
  std::vector<unsigned char> storage(storageEnd);
  const std::size_t held = file.ReadUpTo(storageStart, storage.data(), storage.size());
  for (unsigned i = 0; i < scanned; ++i) {
    const unsigned char* record = records.data() + std::size_t{i} * kNameRecordSize;
    // An ID may be wanted more than once (two instances of one name, an instance named by the
    // family's own ID): each place gets the ID's first string.
    const std::uint16_t id = U16At(record + 6);
    bool open = false;
    for (std::size_t j = 0; j < wanted.size(); ++j) open = open || (wanted[j] == id && !names[j]);
    if (!open) continue;
    const std::size_t length = std::min<std::size_t>(U16At(record + 8), kMaxStringBytes);
    // An empty string stands anywhere, as a read of no bytes succeeds anywhere.
    const std::size_t offset = length == 0 ? 0 : U16At(record + 10);
    if (offset + length > held) return std::nullopt;
    const NameText text = MakeText(storage.data() + offset, length);
    for (std::size_t j = 0; j < wanted.size(); ++j) {
      if (wanted[j] == id) names[j] = text;
    }
  }
  return names;
}

// One face per named instance of a variable font.
template <class File>
std::vector<FontFace> ReadInstances(const File& file, const NameTable& table,
                                    const std::vector<std::uint16_t>& instances,
                                    const std::string& fileName) {
  std::vector<std::uint16_t> wanted{kTypographicFamilyId, kFamilyNameId};
  wanted.insert(wanted.end(), instances.begin(), instances.end());
  const auto names = FirstNames(file, table.Offset, wanted);
  if (!names) return {};
  const std::optional<NameText>& typographic = (*names)[0];
  const std::optional<NameText>& legacy = (*names)[1];
  const std::string family = typographic && typographic->Characters > 0 ? typographic->Utf8
                             : legacy                                   ? legacy->Utf8
                                                                        : std::string();
  if (family.empty()) return {};
  std::vector<FontFace> faces;
  for (std::size_t i = 0; i < instances.size(); ++i) {
    const std::optional<NameText>& style = (*names)[i + 2];
    if (!style || style->Characters == 0) continue;
    std::string fullName = family + " " + style->Utf8;
    if (std::any_of(faces.begin(), faces.end(),
                    [&fullName](const FontFace& face) { return face.FullName == fullName; })) {
      continue;
    }
    auto entry = std::make_shared<FontFileEntry>();
    entry->FamilyName = family;
    entry->FileName = fileName;
    entry->CffOutlines = table.CffOutlines;
    entry->Instance = static_cast<int>(i) + 1;
    faces.push_back({std::move(fullName), std::move(entry)});
  }
  return faces;
}

// The first string of a name record, read when it is needed.
template <class File>
std::optional<NameText> ReadName(const File& file, std::uint64_t storageStart,
                                 const unsigned char* record) {
  std::array<unsigned char, kMaxStringBytes> buffer{};
  const std::size_t length = std::min<std::size_t>(U16At(record + 8), kMaxStringBytes);
  if (!file.ReadAt(storageStart + U16At(record + 10), buffer.data(), length)) return std::nullopt;
  return MakeText(buffer.data(), length);
}

// The full name of a face whose naming table has none, made as fontconfig makes it: the family
// (typographic, else legacy), a blank and the style (typographic, else legacy, else "Regular").
// `records` holds the first record of each of the IDs 16, 2 and 17, or null.
template <class File>
std::optional<std::string> MadeFullName(const File& file, std::uint64_t storageStart,
                                        const std::string& legacyFamily,
                                        const std::array<const unsigned char*, 3>& records) {
  std::array<std::string, 3> names;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i] == nullptr) continue;
    std::optional<NameText> text = ReadName(file, storageStart, records[i]);
    if (!text) return std::nullopt;
    names[i] = std::move(text->Utf8);
  }
  const std::string& family = names[0].empty() ? legacyFamily : names[0];
  if (family.empty()) return std::nullopt;
  const std::string& style = !names[2].empty()   ? names[2]
                             : !names[1].empty() ? names[1]
                                                 : std::string("Regular");
  return family + " " + style;
}

// The face of a font that is not variable.
template <class File>
std::optional<FontFace> ReadStaticFace(const File& file, const NameTable& table,
                                       const std::string& fileName) {
  std::array<unsigned char, kNamingHeaderSize> header{};
  if (!file.ReadAt(table.Offset, header.data(), header.size())) return std::nullopt;
  const std::uint16_t recordCount = U16At(header.data() + 2);
  const std::uint64_t recordsStart = std::uint64_t{table.Offset} + kNamingHeaderSize;
  const std::uint64_t storageStart = recordsStart + std::uint64_t{kNameRecordSize} * recordCount;

  // The entry is the face's own: a full name met before the face's first family name has no
  // family to go with, so it is passed over rather than paired with another face's entry.
  std::shared_ptr<FontFileEntry> entry;
  const unsigned scanned = std::min<unsigned>(recordCount, kMaxNameRecords);
  std::array<unsigned char, kNameRecordSize * kMaxNameRecords> records{};
  const std::size_t complete =
      file.ReadUpTo(recordsStart, records.data(), scanned * kNameRecordSize) / kNameRecordSize;
  std::array<unsigned char, kMaxStringBytes + 1> buffer{};
  // The first records of the names a missing full name is made of: 16, 2 and 17.
  std::array<const unsigned char*, 3> makings{};
  for (unsigned i = 0; i < scanned; ++i) {
    // The file ends inside this record: what the records before it gave is all there is.
    if (i >= complete) return std::nullopt;
    const unsigned char* record = records.data() + std::size_t{i} * kNameRecordSize;
    const std::uint16_t nameId = U16At(record + 6);
    const std::size_t making = nameId == kTypographicFamilyId      ? 0
                               : nameId == kSubfamilyNameId        ? 1
                               : nameId == kTypographicSubfamilyId ? 2
                                                                   : makings.size();
    if (making < makings.size() && makings[making] == nullptr) makings[making] = record;
    if (nameId != kFamilyNameId && nameId != kFullNameId) continue;
    const std::size_t length = std::min<std::size_t>(U16At(record + 8), kMaxStringBytes);
    if (!file.ReadAt(storageStart + U16At(record + 10), buffer.data(), length)) return std::nullopt;
    NameText text = MakeText(buffer.data(), length);
    if (nameId == kFamilyNameId) {
      entry = std::make_shared<FontFileEntry>();
      entry->FamilyName = std::move(text.Utf8);
      entry->FileName = fileName;
      entry->CffOutlines = table.CffOutlines;
      continue;
    }
    if (text.Characters < 2) return std::nullopt;
    if (entry) return FontFace{std::move(text.Utf8), entry};
  }
  // A face with a family but no full name behind it is named from its family and style.
  if (!entry) return std::nullopt;
  std::optional<std::string> fullName =
      MadeFullName(file, storageStart, entry->FamilyName, makings);
  if (!fullName) return std::nullopt;
  return FontFace{std::move(*fullName), entry};
}

// The faces of the font whose offset table is at `font` (and in `offsetTable` when read
// already): its named instances, or the font itself.
template <class File>
std::vector<FontFace> ReadFaces(const File& file, std::uint64_t font, const std::string& fileName,
                                const unsigned char* offsetTable = nullptr) {
  const std::optional<NameTable> table = FindNameTable(file, font, offsetTable);
  if (!table) return {};
  const std::vector<std::uint16_t> instances =
      table->Fvar ? InstanceNameIds(file, *table->Fvar) : std::vector<std::uint16_t>{};
  if (!instances.empty()) return ReadInstances(file, *table, instances, fileName);
  std::vector<FontFace> faces;
  if (auto face = ReadStaticFace(file, *table, fileName)) faces.push_back(std::move(*face));
  return faces;
}

// The faces of a collection, each read at its offset and given its index.
template <class File>
std::vector<FontFace> ReadCollection(const File& file, const std::string& fileName) {
  const CollectionFonts::Listing listing =
      CollectionFonts::Read([&file](std::uint64_t offset, unsigned char* buffer, std::size_t size) {
        return file.ReadUpTo(offset, buffer, size);
      });
  std::vector<FontFace> faces;
  for (const CollectionFonts::Font& font : listing.Fonts) {
    for (FontFace& face : ReadFaces(file, font.Offset, fileName)) {
      face.Entry->FaceIndex = static_cast<int>(font.Index);
      faces.push_back(std::move(face));
    }
  }
  return faces;
}

// The faces of a single font or a collection, whose first bytes are in `header`.
template <class File>
std::vector<FontFace> ReadFile(const File& file, const unsigned char* header,
                               const std::string& fileName) {
  if (CollectionFonts::IsCollection(header)) return ReadCollection(file, fileName);
  // The header read is the single font's offset table.
  static_assert(kCollectionHeaderSize == kOffsetTableSize);
  return ReadFaces(file, 0, fileName, header);
}

// The faces of the sfnt a web font holds; none when it does not unpack.
std::vector<FontFace> ReadWebFont(const std::string& path, const std::string& fileName) {
  const std::optional<std::string> bytes = ReadWholeFileAtMost(path, kLargestWebFont);
  if (!bytes) return {};
  std::optional<std::string> sfnt = WebFonts::Decode(*bytes);
  if (!sfnt) return {};
  const MemoryFile file(std::move(*sfnt));
  std::array<unsigned char, kCollectionHeaderSize> header{};
  if (!file.ReadAt(0, header.data(), header.size())) return {};
  return ReadFile(file, header.data(), fileName);
}

}  // namespace

std::vector<FontFace> ReadFontFaces(const std::string& directory, const std::string& fileName) {
  std::string path = directory;
  if (path.empty() || path.back() != '/') path += '/';
  path += fileName;
  const ReadOnlyFile file(path);
  if (!file.IsOpen()) return {};
  std::array<unsigned char, kCollectionHeaderSize> header{};
  if (!file.ReadAt(0, header.data(), header.size())) return {};
  const std::string_view start(reinterpret_cast<const char*>(header.data()), header.size());
  if (WebFonts::IsWebFont(start)) return ReadWebFont(path, fileName);
  return ReadFile(file, header.data(), fileName);
}

std::optional<FontFace> ReadFontNames(const std::string& directory, const std::string& fileName) {
  std::vector<FontFace> faces = ReadFontFaces(directory, fileName);
  if (faces.empty()) return std::nullopt;
  return std::move(faces.front());
}

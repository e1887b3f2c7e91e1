// What is read (all numbers big-endian, offsets from the start of the structure named):
//
//   collection     "ttcf" at 0, then at 12 one u32 per font: the file offset of its offset table
//   offset table   12 bytes; table count u16 at 4
//   table record   16 bytes each, directly behind the offset table; tag 4 bytes at 0, table
//                  offset u32 at 8, table length u32 at 12
//   naming header  6 bytes at the "name" table's offset; record count u16 at 2, storage offset
//                  u16 at 4 (from the start of the table)
//   name record    12 bytes each, behind the header; platform u16 at 0, encoding u16 at 2,
//                  language u16 at 4, name ID u16 at 6, length u16 at 8, storage offset u16 at 10
//
// The naming table is read whole in one read; every record and string is checked against what
// was read before it is used.
#include "platform/fonts/SfntFamilyName.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/files/ReadOnlyFile.h"
#include "platform/fonts/BigEndian.h"

namespace {

constexpr std::size_t kOffsetTableSize = 12;
constexpr std::size_t kTableRecordSize = 16;
constexpr std::size_t kNamingHeaderSize = 6;
constexpr std::size_t kNameRecordSize = 12;
constexpr unsigned kMaxTables = 1024;
// Far beyond any real naming table; a larger claim is not read.
constexpr std::uint32_t kMaxNameTable = 1 << 20;
constexpr std::uint16_t kFamilyNameId = 1;
constexpr std::uint16_t kWindows = 3;
constexpr std::uint16_t kMacintosh = 1;
constexpr std::uint16_t kUsEnglish = 0x409;

// Where the face's offset table starts: 0 for a single font, from the header for a collection.
std::optional<std::uint64_t> FontOffset(const ReadOnlyFile& file, int faceIndex) {
  std::array<unsigned char, 4> tag{};
  if (faceIndex < 0 || !file.ReadAt(0, tag.data(), tag.size())) return std::nullopt;
  if (std::string_view(reinterpret_cast<const char*>(tag.data()), 4) != "ttcf") {
    if (faceIndex == 0) return 0;
    return std::nullopt;
  }
  std::array<unsigned char, 4> offset{};
  std::array<unsigned char, 4> count{};
  if (!file.ReadAt(8, count.data(), count.size()) ||
      static_cast<std::uint32_t>(faceIndex) >= U32At(count.data()) ||
      !file.ReadAt(12 + 4 * std::uint64_t(faceIndex), offset.data(), offset.size())) {
    return std::nullopt;
  }
  return U32At(offset.data());
}

std::optional<std::vector<unsigned char>> ReadNameTable(const ReadOnlyFile& file,
                                                        std::uint64_t font) {
  std::array<unsigned char, kOffsetTableSize> header{};
  if (!file.ReadAt(font, header.data(), header.size())) return std::nullopt;
  const unsigned tables = std::min<unsigned>(U16At(header.data() + 4), kMaxTables);
  std::vector<unsigned char> records(tables * kTableRecordSize);
  const std::size_t got = file.ReadUpTo(font + kOffsetTableSize, records.data(), records.size());
  for (std::size_t at = 0; at + kTableRecordSize <= got; at += kTableRecordSize) {
    const unsigned char* record = records.data() + at;
    if (std::string_view(reinterpret_cast<const char*>(record), 4) != "name") continue;
    const std::uint32_t length = std::min(U32At(record + 12), kMaxNameTable);
    std::vector<unsigned char> table(length);
    table.resize(file.ReadUpTo(U32At(record + 8), table.data(), table.size()));
    return table;
  }
  return std::nullopt;
}

// UTF-16BE to UTF-8; nothing for a string that is not well-formed.
std::optional<std::string> FromUtf16(const unsigned char* bytes, std::size_t size) {
  if (size % 2 != 0) return std::nullopt;
  std::string text;
  for (std::size_t i = 0; i < size; i += 2) {
    char32_t c = U16At(bytes + i);
    if (c >= 0xD800 && c < 0xDC00) {
      if (i + 4 > size) return std::nullopt;
      const char32_t low = U16At(bytes + i + 2);
      if (low < 0xDC00 || low >= 0xE000) return std::nullopt;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    } else if (c >= 0xDC00 && c < 0xE000) {
      return std::nullopt;
    }
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else if (c < 0x800) {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      text += static_cast<char>(0xE0 | (c >> 12));
      text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | (c >> 18));
      text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

std::optional<std::string> FromAscii(const unsigned char* bytes, std::size_t size) {
  if (std::any_of(bytes, bytes + size, [](unsigned char c) { return c >= 0x80; })) {
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(bytes), size);
}

std::optional<std::string> FamilyNameIn(const std::vector<unsigned char>& table) {
  if (table.size() < kNamingHeaderSize) return std::nullopt;
  const std::size_t count = U16At(table.data() + 2);
  const std::size_t storage = U16At(table.data() + 4);
  std::optional<std::string> mac;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kNamingHeaderSize + i * kNameRecordSize;
    if (at + kNameRecordSize > table.size()) break;
    const unsigned char* record = table.data() + at;
    if (U16At(record + 6) != kFamilyNameId) continue;
    const std::size_t start = storage + U16At(record + 10);
    const std::size_t length = U16At(record + 8);
    if (start + length > table.size()) continue;
    const std::uint16_t platform = U16At(record);
    const std::uint16_t encoding = U16At(record + 2);
    if (platform == kWindows && (encoding == 0 || encoding == 1 || encoding == 10) &&
        U16At(record + 4) == kUsEnglish) {
      return FromUtf16(table.data() + start, length);
    }
    if (platform == kMacintosh && encoding == 0 && U16At(record + 4) == 0 && !mac) {
      mac = FromAscii(table.data() + start, length);
    }
  }
  return mac;
}

}  // namespace

std::optional<std::string> ReadSfntFamilyName(const std::string& path, int faceIndex) {
  const ReadOnlyFile file(path);
  if (!file.IsOpen()) return std::nullopt;
  const std::optional<std::uint64_t> font = FontOffset(file, faceIndex);
  if (!font) return std::nullopt;
  const std::optional<std::vector<unsigned char>> table = ReadNameTable(file, *font);
  if (!table) return std::nullopt;
  return FamilyNameIn(*table);
}

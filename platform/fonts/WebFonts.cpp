#include "platform/fonts/WebFonts.h"
#include "platform/fonts/BigEndian.h"

#include <zlib.h>

#include <woff2/decode.h>
#include <woff2/output.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// WOFF 1 (all numbers big-endian):
//
//   header        44 bytes; signature "wOFF" at 0, the sfnt version at 4, table count u16 at 12
//   table entry   20 bytes each, directly behind the header; tag at 0, offset u32 at 4,
//                 compressed length u32 at 8, length u32 at 12, checksum u32 at 16
//
// A table whose compressed length is its length is stored as it is, else as a zlib stream. The
// sfnt rebuilt has the same tables, in tag order, each at a four-byte boundary.

namespace {

constexpr std::size_t kWoffHeaderSize = 44;
constexpr std::size_t kWoffEntrySize = 20;
constexpr std::size_t kSfntHeaderSize = 12;
constexpr std::size_t kSfntRecordSize = 16;
// zlib never packs more than about 1032 bytes into one: a table that claims to unpack to more
// is damaged, and is refused before anything is allocated for it.
constexpr std::uint64_t kMostDeflateRatio = 1032;

void PutU16(std::string& out, std::size_t at, unsigned value) {
  out[at] = static_cast<char>(value >> 8 & 0xFF);
  out[at + 1] = static_cast<char>(value & 0xFF);
}

void PutU32(std::string& out, std::size_t at, std::uint32_t value) {
  PutU16(out, at, value >> 16);
  PutU16(out, at + 2, value & 0xFFFF);
}

struct WoffTable {
  std::string Tag;
  std::uint32_t Offset = 0;
  std::uint32_t Packed = 0;
  std::uint32_t Length = 0;
  std::uint32_t Checksum = 0;
};

std::optional<std::string> Unpack(std::string_view bytes, const WoffTable& table) {
  const std::string_view packed = bytes.substr(table.Offset, table.Packed);
  if (table.Packed == table.Length) return std::string(packed);
  std::string out(table.Length, '\0');
  uLongf length = table.Length;
  if (uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
                 reinterpret_cast<const Bytef*>(packed.data()), table.Packed) != Z_OK ||
      length != table.Length) {
    return std::nullopt;
  }
  return out;
}

std::optional<std::string> DecodeWoff(std::string_view bytes, std::size_t limit) {
  if (bytes.size() < kWoffHeaderSize) return std::nullopt;
  const auto* header = reinterpret_cast<const unsigned char*>(bytes.data());
  const unsigned count = U16At(header + 12);
  if (count == 0 || kWoffHeaderSize + std::size_t{count} * kWoffEntrySize > bytes.size()) {
    return std::nullopt;
  }
  std::vector<WoffTable> tables;
  std::uint64_t total = kSfntHeaderSize + std::uint64_t{kSfntRecordSize} * count;
  for (unsigned i = 0; i < count; ++i) {
    const unsigned char* entry = header + kWoffHeaderSize + std::size_t{i} * kWoffEntrySize;
    WoffTable table{std::string(reinterpret_cast<const char*>(entry), 4), U32At(entry + 4),
                    U32At(entry + 8), U32At(entry + 12), U32At(entry + 16)};
    if (std::uint64_t{table.Offset} + table.Packed > bytes.size() || table.Packed > table.Length ||
        table.Length > kMostDeflateRatio * table.Packed + 64) {
      return std::nullopt;
    }
    total += (std::uint64_t{table.Length} + 3) & ~std::uint64_t{3};
    if (total > limit) return std::nullopt;
    tables.push_back(std::move(table));
  }
  std::sort(tables.begin(), tables.end(),
            [](const WoffTable& a, const WoffTable& b) { return a.Tag < b.Tag; });
  std::string sfnt(kSfntHeaderSize + std::size_t{kSfntRecordSize} * count, '\0');
  sfnt.replace(0, 4, bytes.substr(4, 4));
  PutU16(sfnt, 4, count);
  unsigned power = 1;
  unsigned selector = 0;
  while (power * 2 <= count) {
    power *= 2;
    ++selector;
  }
  PutU16(sfnt, 6, power * 16);
  PutU16(sfnt, 8, selector);
  PutU16(sfnt, 10, count * 16 - power * 16);
  for (unsigned i = 0; i < count; ++i) {
    const WoffTable& table = tables[i];
    std::optional<std::string> data = Unpack(bytes, table);
    if (!data) return std::nullopt;
    const std::size_t record = kSfntHeaderSize + std::size_t{i} * kSfntRecordSize;
    sfnt.replace(record, 4, table.Tag);
    PutU32(sfnt, record + 4, table.Checksum);
    PutU32(sfnt, record + 8, static_cast<std::uint32_t>(sfnt.size()));
    PutU32(sfnt, record + 12, table.Length);
    sfnt += *data;
    sfnt.append((4 - sfnt.size() % 4) % 4, '\0');
  }
  return sfnt;
}

std::optional<std::string> DecodeWoff2(std::string_view bytes, std::size_t limit) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t claimed = woff2::ComputeWOFF2FinalSize(data, bytes.size());
  if (claimed == 0 || claimed > limit) return std::nullopt;
  std::string sfnt;
  sfnt.reserve(claimed);
  woff2::WOFF2StringOut out(&sfnt);
  out.SetMaxSize(std::min(limit, woff2::kDefaultMaxSize));
  if (!woff2::ConvertWOFF2ToTTF(data, bytes.size(), &out)) return std::nullopt;
  sfnt.resize(out.Size());
  return sfnt;
}

}  // namespace

namespace WebFonts {

bool IsWebFont(std::string_view start) {
  const std::string_view signature = start.substr(0, 4);
  return signature == "wOFF" || signature == "wOF2";
}

std::optional<std::string> Decode(std::string_view bytes, std::size_t limit) {
  const std::string_view signature = bytes.substr(0, 4);
  std::optional<std::string> sfnt = signature == "wOFF"   ? DecodeWoff(bytes, limit)
                                    : signature == "wOF2" ? DecodeWoff2(bytes, limit)
                                                          : std::nullopt;
  // A web font whose flavor says it holds another web font is damaged: what it holds is no sfnt.
  if (sfnt && IsWebFont(*sfnt)) return std::nullopt;
  return sfnt;
}

}  // namespace WebFonts

#include "platform/fonts/CollectionFonts.h"
#include "platform/fonts/BigEndian.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <string_view>
#include <utility>

namespace CollectionFonts {

namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kOffsetTableSize = 12;
constexpr std::size_t kTableRecordSize = 16;
// Offsets are taken in batches, one read each.
constexpr std::uint32_t kOffsetsPerRead = 256;

// The fonts' offset tables and table records taken so far, as [start, end) in the file. Those
// taken never overlap, so each is looked for among its neighbours alone: a header of 65,536
// fonts is checked in as many steps, not in one per pair of fonts.
class Directories {
 public:
  bool Overlaps(std::uint64_t start, std::uint64_t end) const {
    const auto after = taken_.upper_bound(start);
    if (after != taken_.end() && after->first < end) return true;
    return after != taken_.begin() && std::prev(after)->second > start;
  }
  void Take(std::uint64_t start, std::uint64_t end) { taken_.emplace(start, end); }
  std::uint64_t Lowest() const { return taken_.empty() ? UINT64_MAX : taken_.begin()->first; }

 private:
  std::map<std::uint64_t, std::uint64_t> taken_;
};

}  // namespace

bool IsCollection(const unsigned char* first4) {
  return std::string_view(reinterpret_cast<const char*>(first4), 4) == "ttcf";
}

bool IsCollection(std::string_view bytes) {
  return bytes.starts_with("ttcf");
}

Listing Read(const ReadAt& read) {
  Listing listing;
  std::array<unsigned char, kHeaderSize> header{};
  if (read(0, header.data(), header.size()) != header.size() || !IsCollection(header.data())) {
    return listing;
  }
  const std::uint32_t major = U16At(header.data() + 4);
  if (major != 1 && major != 2) return listing;
  const std::uint32_t counted = U32At(header.data() + 8);
  const std::uint32_t count = std::min(counted, kMaxFonts);
  Directories directories;
  std::array<unsigned char, 4 * kOffsetsPerRead> offsets{};
  for (std::uint32_t first = 0; first < count; first += kOffsetsPerRead) {
    const std::uint32_t wanted = std::min(count - first, kOffsetsPerRead);
    const std::size_t held =
        read(kHeaderSize + std::uint64_t{first} * 4, offsets.data(), std::size_t{wanted} * 4) / 4;
    for (std::size_t i = 0; i < held; ++i) {
      const std::uint64_t offsetsEnd = kHeaderSize + (first + i + 1) * 4;
      if (offsetsEnd > directories.Lowest()) return listing;
      const std::uint64_t font = U32At(offsets.data() + 4 * i);
      std::array<unsigned char, 2> tables{};
      if (font < offsetsEnd || read(font + 4, tables.data(), tables.size()) != tables.size()) {
        continue;
      }
      const std::uint64_t end = font + kOffsetTableSize + U16At(tables.data()) * kTableRecordSize;
      if (directories.Overlaps(font, end)) continue;
      directories.Take(font, end);
      listing.Fonts.push_back({first + static_cast<std::uint32_t>(i), font});
    }
    if (held < wanted) return listing;
  }
  listing.Whole = listing.Fonts.size() == counted;
  return listing;
}

Listing Read(std::string_view bytes) {
  return Read([bytes](std::uint64_t offset, unsigned char* buffer, std::size_t size) {
    if (offset >= bytes.size()) return std::size_t{0};
    const std::string_view part = bytes.substr(static_cast<std::size_t>(offset), size);
    std::copy(part.begin(), part.end(), buffer);
    return part.size();
  });
}

std::string CountingOnly(std::string bytes, const Listing& listing) {
  if (!IsCollection(bytes) || listing.Whole ||
      bytes.size() < kHeaderSize + 4 * listing.Fonts.size()) {
    return bytes;
  }
  const auto put = [&bytes](std::size_t at, std::uint32_t value, int size) {
    for (int i = size - 1; i >= 0; --i, value >>= 8) {
      bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    }
  };
  // Version 1: a version 2 header's signature fields would be looked for behind the new count.
  put(4, 1, 2);
  put(6, 0, 2);
  put(8, static_cast<std::uint32_t>(listing.Fonts.size()), 4);
  std::size_t at = kHeaderSize;
  for (const Font& font : listing.Fonts) {
    put(at, static_cast<std::uint32_t>(font.Offset), 4);
    at += 4;
  }
  return bytes;
}

}  // namespace CollectionFonts

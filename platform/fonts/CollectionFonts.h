#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Which fonts a collection's header really lists. A collection starts with its own header:
//
//   "ttcf" at 0, major version u16 at 4 (1 or 2), font count u32 at 8, then one u32 per font: the
//   file offset of that font's offset table (table count u16 at 4, then 16 bytes per table record)
//
// (all numbers big-endian). The offsets end where they would run into a font's offset table,
// and an offset that points into the header, repeats an earlier one or whose offset table and
// table records overlap an earlier font's lists no font: a header that claims more fonts than it
// holds would otherwise give the bytes behind its offsets as phantom copies of its fonts, and a
// few kilobytes could claim 65,536 faces that every reader of the file then opens one by one.
namespace CollectionFonts {

// As many fonts as any reader counts in one file.
constexpr std::uint32_t kMaxFonts = 0x10000;

struct Font {
  std::uint32_t Index = 0;
  std::uint64_t Offset = 0;
};

struct Listing {
  std::vector<Font> Fonts;  // in index order
  // Whether every font the header counts is one of Fonts: a header that is not whole is no sound
  // collection to install.
  bool Whole = false;
};

// Reads up to size bytes at offset into buffer and says how many it read.
using ReadAt =
    std::function<std::size_t(std::uint64_t offset, unsigned char* buffer, std::size_t size)>;

// Whether the first bytes of a file are a collection's.
bool IsCollection(const unsigned char* first4);
bool IsCollection(std::string_view bytes);

// The fonts of a collection header; nothing listed when its version is unknown.
Listing Read(const ReadAt& read);
// The same, of a file held in memory.
Listing Read(std::string_view bytes);

// The collection with a header that counts exactly the listed fonts, so that a reader that opens
// every font counted opens those alone. Their indexes then run from 0 in the same order. Any
// other file comes back as it is.
std::string CountingOnly(std::string bytes, const Listing& listing);

}  // namespace CollectionFonts

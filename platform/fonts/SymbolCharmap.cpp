#include "platform/fonts/SymbolCharmap.h"

#include "platform/fonts/BigEndian.h"
#include "platform/fonts/FreeTypeLibrary.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

SymbolCharmap::SymbolCharmap() : library_(std::make_unique<FreeTypeLibrary>()) {}

SymbolCharmap::~SymbolCharmap() = default;

namespace {

// A file read through pread, never mapped: a file that shrinks while it is open then gives
// FreeType a short read, which it reports, instead of a fault at a page that is gone.
unsigned long ReadStream(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                         unsigned long count) {
  if (count == 0) return offset <= stream->size ? 0 : 1;  // a seek: 0 is success
  const ssize_t read = pread(stream->descriptor.value, buffer, count, static_cast<off_t>(offset));
  return read < 0 ? 0 : static_cast<unsigned long>(read);
}

bool ReadExactly(int fd, std::uint64_t offset, unsigned char* buffer, std::size_t size) {
  return pread(fd, buffer, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
}

constexpr std::uint32_t kTrueType = 0x00010000;
constexpr std::uint32_t kOpenTypeCff = 0x4F54544F;    // "OTTO"
constexpr std::uint32_t kAppleTrueType = 0x74727565;  // "true"

// Whether the file is a Type 1 font, PFA or PFB (a 6-byte segment header first), as FreeType's
// Type 1 driver recognises one. That driver, which FreeType asks before any other that reads
// such a file, gives a face the Adobe encodings and Unicode, never a symbol character map.
bool IsType1(int fd, const std::array<unsigned char, 12>& header) {
  std::uint64_t text = 0;
  if (header[0] == 0x80 && header[1] == 0x01) text = 6;
  std::array<char, 14> start{};
  if (!ReadExactly(fd, text, reinterpret_cast<unsigned char*>(start.data()), start.size())) {
    return false;
  }
  const std::string_view view(start.data(), start.size());
  return view.starts_with("%!PS-AdobeFont") || view.starts_with("%!FontType");
}

// Whether a face certainly has no symbol character map, read from its table directory alone:
// FreeType reports one only for a "cmap" subtable of platform 3, encoding 0, so a face whose one
// "cmap" table lists none has none. Opening a face is far dearer (a CFF face parses its whole
// font program), and the font list asks this of every face of the current font. Whatever is not
// a Type 1 font or an sfnt read in full is left to FreeType.
//
//   collection     "ttcf" at 0, font count u32 at 8, then at 12 one u32 per font: the file
//                  offset of its offset table
//   offset table   12 bytes; sfnt version u32 at 0, table count u16 at 4
//   table record   16 bytes each, behind the offset table; tag at 0, table offset u32 at 8
//   cmap header    4 bytes; subtable count u16 at 2, then 8 bytes per subtable: platform u16 at
//                  0, encoding u16 at 2
bool ListsNoSymbolSubtable(int fd, int faceIndex) {
  std::array<unsigned char, 12> header{};
  if (!ReadExactly(fd, 0, header.data(), header.size())) return false;
  if (IsType1(fd, header)) return true;
  std::uint64_t font = 0;
  if (std::string_view(reinterpret_cast<const char*>(header.data()), 4) == "ttcf") {
    std::array<unsigned char, 4> offset{};
    if (static_cast<std::uint32_t>(faceIndex) >= U32At(header.data() + 8) ||
        !ReadExactly(fd, 12 + 4 * std::uint64_t(faceIndex), offset.data(), offset.size())) {
      return false;
    }
    font = U32At(offset.data());
    if (!ReadExactly(fd, font, header.data(), header.size())) return false;
  } else if (faceIndex != 0) {
    return false;
  }
  const std::uint32_t version = U32At(header.data());
  if (version != kTrueType && version != kOpenTypeCff && version != kAppleTrueType) return false;
  std::vector<unsigned char> records(std::size_t{U16At(header.data() + 4)} * 16);
  if (!ReadExactly(fd, font + 12, records.data(), records.size())) return false;
  std::optional<std::uint32_t> cmap;
  for (std::size_t at = 0; at < records.size(); at += 16) {
    if (std::string_view(reinterpret_cast<const char*>(records.data() + at), 4) != "cmap") {
      continue;
    }
    if (cmap) return false;  // which of two FreeType takes is its own affair
    cmap = U32At(records.data() + at + 8);
  }
  std::array<unsigned char, 4> cmapHeader{};
  if (!cmap || !ReadExactly(fd, *cmap, cmapHeader.data(), cmapHeader.size())) return false;
  std::vector<unsigned char> encodings(std::size_t{U16At(cmapHeader.data() + 2)} * 8);
  if (!ReadExactly(fd, *cmap + 4, encodings.data(), encodings.size())) return false;
  for (std::size_t at = 0; at < encodings.size(); at += 8) {
    if (U16At(encodings.data() + at) == 3 && U16At(encodings.data() + at + 2) == 0) return false;
  }
  return true;
}

}  // namespace

bool SymbolCharmap::Has(const std::string& file, int index) const {
  if (library_->Handle() == nullptr || file.empty()) return false;
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  FT_StreamRec stream{};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  // The upper half of fontconfig's index names a variable font's instance, which the character
  // map does not depend on.
  if (ListsNoSymbolSubtable(fd, index & 0xFFFF)) {
    close(fd);
    return false;
  }
  stream.size = static_cast<unsigned long>(info.st_size);
  stream.descriptor.value = fd;
  stream.read = ReadStream;
  FT_Open_Args args{};
  args.flags = FT_OPEN_STREAM;
  args.stream = &stream;
  FT_Face face = nullptr;
  bool symbol = false;
  if (FT_Open_Face(library_->Handle(), &args, index & 0xFFFF, &face) == 0) {
    const auto* const begin = face->charmaps;
    const auto* const end = begin + face->num_charmaps;
    symbol = std::any_of(
        begin, end, [](FT_CharMap charmap) { return charmap->encoding == FT_ENCODING_MS_SYMBOL; });
    FT_Done_Face(face);
  }
  close(fd);
  return symbol;
}

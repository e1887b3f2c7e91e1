#include "platform/fonts/SymbolCharmap.h"

#include "platform/fonts/FreeTypeLibrary.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

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
  stream.size = static_cast<unsigned long>(info.st_size);
  stream.descriptor.value = fd;
  stream.read = ReadStream;
  FT_Open_Args args{};
  args.flags = FT_OPEN_STREAM;
  args.stream = &stream;
  FT_Face face = nullptr;
  // The upper half of fontconfig's index names a variable font's instance, which the character
  // map does not depend on.
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

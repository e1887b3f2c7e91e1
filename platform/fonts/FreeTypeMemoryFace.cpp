#include "platform/fonts/FreeTypeMemoryFace.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr long kInstanceBits = ~long{0xFFFF};

}  // namespace

FreeTypeMemoryFace::FreeTypeMemoryFace(FT_Library library, std::string_view bytes, long index,
                                       std::optional<std::uint64_t> collectionFont)
    : bytes_(bytes) {
  if (library == nullptr) return;
  // The header stands over the first bytes of the file, which are the collection's own header:
  // a font's offset table never lies among them.
  if (!collectionFont || *collectionFont < header_.size() || *collectionFont > UINT32_MAX ||
      bytes.size() < header_.size()) {
    if (FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(bytes.data()),
                           static_cast<FT_Long>(bytes.size()), index, &face_) != 0) {
      face_ = nullptr;
    }
    return;
  }
  const auto offset = static_cast<std::uint32_t>(*collectionFont);
  const unsigned char header[] = {'t',
                                  't',
                                  'c',
                                  'f',
                                  0,
                                  1,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  1,
                                  static_cast<unsigned char>(offset >> 24),
                                  static_cast<unsigned char>(offset >> 16),
                                  static_cast<unsigned char>(offset >> 8),
                                  static_cast<unsigned char>(offset)};
  std::memcpy(header_.data(), header, header_.size());
  stream_.size = static_cast<unsigned long>(bytes.size());
  stream_.descriptor.pointer = this;
  stream_.read = &FreeTypeMemoryFace::Read;
  FT_Open_Args args{};
  args.flags = FT_OPEN_STREAM;
  args.stream = &stream_;
  if (FT_Open_Face(library, &args, index & kInstanceBits, &face_) != 0) face_ = nullptr;
}

FreeTypeMemoryFace::~FreeTypeMemoryFace() {
  if (face_ != nullptr) FT_Done_Face(face_);
}

unsigned long FreeTypeMemoryFace::Read(FT_Stream stream, unsigned long offset,
                                       unsigned char* buffer, unsigned long count) {
  const auto* self = static_cast<const FreeTypeMemoryFace*>(stream->descriptor.pointer);
  const std::size_t size = self->bytes_.size();
  // A read of nothing is a seek, which succeeds (0) anywhere up to the end.
  if (count == 0) return offset <= size ? 0 : 1;
  if (offset >= size) return 0;
  const std::size_t taken = std::min<std::size_t>(count, size - offset);
  const std::size_t fromHeader =
      offset < self->header_.size() ? std::min(taken, self->header_.size() - offset) : 0;
  if (fromHeader > 0) std::memcpy(buffer, self->header_.data() + offset, fromHeader);
  std::memcpy(buffer + fromHeader, self->bytes_.data() + offset + fromHeader, taken - fromHeader);
  return taken;
}

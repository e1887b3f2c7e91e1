#include "platform/FreeTypeFontFileCheck.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <optional>
#include <vector>

#include "platform/ReadOnlyFile.h"

namespace {

// FreeType keeps the named instance of a variable font in the bits above these.
constexpr int kMaxFaceIndex = 0xFFFF;

// The whole file, or nothing when it cannot be opened or holds more than limit bytes. Read in
// chunks until one comes back short, so that the size is what was read, not what the file
// claimed before it changed.
std::optional<std::vector<unsigned char>> ReadAtMost(const std::string& path, std::size_t limit) {
  const ReadOnlyFile file(path);
  if (!file.IsOpen()) return std::nullopt;
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  std::vector<unsigned char> bytes;
  for (;;) {
    const std::size_t have = bytes.size();
    if (have > limit) return std::nullopt;
    bytes.resize(have + kChunk);
    const std::size_t got = file.ReadUpTo(have, bytes.data() + have, kChunk);
    bytes.resize(have + got);
    if (got < kChunk) break;
  }
  if (bytes.size() > limit) return std::nullopt;
  return bytes;
}

}  // namespace

struct FreeTypeFontFileCheck::Library {
  FT_Library handle = nullptr;
  Library() {
    if (FT_Init_FreeType(&handle) != 0) handle = nullptr;
  }
  ~Library() {
    if (handle != nullptr) FT_Done_FreeType(handle);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
};

FreeTypeFontFileCheck::FreeTypeFontFileCheck() : library_(std::make_unique<Library>()) {}

FreeTypeFontFileCheck::~FreeTypeFontFileCheck() = default;

bool FreeTypeFontFileCheck::OpensAsFont(const std::string& path, int faceIndex) {
  // A negative index only asks FreeType how many faces there are, opening none of them.
  if (library_->handle == nullptr || faceIndex < 0 || faceIndex > kMaxFaceIndex) return false;
  const auto bytes = ReadAtMost(path, kMaxFileBytes);
  if (!bytes || bytes->empty()) return false;
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(library_->handle, bytes->data(), static_cast<FT_Long>(bytes->size()),
                         faceIndex, &face) != 0) {
    return false;
  }
  FT_Done_Face(face);
  return true;
}

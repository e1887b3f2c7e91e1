#include "platform/fonts/FreeTypeFontFileCheck.h"

#include "platform/fonts/FreeTypeLibrary.h"
#include "platform/fonts/FreeTypeMemoryFace.h"

#include <optional>

namespace {

// FreeType keeps the named instance of a variable font in the bits above these.
constexpr int kMaxFaceIndex = 0xFFFF;

}  // namespace

FreeTypeFontFileCheck::FreeTypeFontFileCheck() : library_(std::make_unique<FreeTypeLibrary>()) {}

FreeTypeFontFileCheck::~FreeTypeFontFileCheck() = default;

bool FreeTypeFontFileCheck::OpensAsFont(const std::string& path, int faceIndex) {
  // A negative index only asks FreeType how many faces there are, opening none of them.
  if (library_->Handle() == nullptr || faceIndex < 0 || faceIndex > kMaxFaceIndex) return false;
  const std::shared_ptr<const LastFontFile::Contents> file = file_.Read(path);
  if (!file || file->Bytes.empty()) return false;
  std::optional<std::uint64_t> font;
  if (file->Collection) {
    // A collection whose header counts fonts it does not hold is no sound font file: every
    // program that reads it would open each phantom font.
    if (!file->Listing.Whole) return false;
    font = file->FontOffset(faceIndex);
    if (!font) return false;
  }
  // A font of a collection is opened alone, as FreeType opens a file of that font only: its
  // header, read once for the file, said where it lies.
  const FreeTypeMemoryFace face(library_->Handle(), file->Bytes, faceIndex, font);
  return face.Face() != nullptr;
}

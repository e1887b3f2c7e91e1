#include "platform/fonts/FreeTypeFontFileCheck.h"

#include "platform/fonts/FreeTypeLibrary.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <optional>

#include "platform/files/ReadOnlyFile.h"
#include "platform/fonts/CollectionFonts.h"

namespace {

// FreeType keeps the named instance of a variable font in the bits above these.
constexpr int kMaxFaceIndex = 0xFFFF;

}  // namespace

FreeTypeFontFileCheck::FreeTypeFontFileCheck() : library_(std::make_unique<FreeTypeLibrary>()) {}

FreeTypeFontFileCheck::~FreeTypeFontFileCheck() = default;

bool FreeTypeFontFileCheck::OpensAsFont(const std::string& path, int faceIndex) {
  // A negative index only asks FreeType how many faces there are, opening none of them.
  if (library_->Handle() == nullptr || faceIndex < 0 || faceIndex > kMaxFaceIndex) return false;
  const std::optional<std::string> bytes = ReadWholeFileAtMost(path, kMaxFileBytes);
  if (!bytes || bytes->empty()) return false;
  // A collection whose header counts fonts it does not hold is no sound font file: every program
  // that reads it would open each phantom font.
  if (CollectionFonts::IsCollection(*bytes) && !CollectionFonts::Read(*bytes).Whole) {
    return false;
  }
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(library_->Handle(), reinterpret_cast<const FT_Byte*>(bytes->data()),
                         static_cast<FT_Long>(bytes->size()), faceIndex, &face) != 0) {
    return false;
  }
  FT_Done_Face(face);
  return true;
}

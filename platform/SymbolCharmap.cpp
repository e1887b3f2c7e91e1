#include "platform/SymbolCharmap.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

struct SymbolCharmap::Library {
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

SymbolCharmap::SymbolCharmap() : library_(std::make_unique<Library>()) {}

SymbolCharmap::~SymbolCharmap() = default;

bool SymbolCharmap::Has(const std::string& file, int index) const {
  if (library_->handle == nullptr || file.empty()) return false;
  FT_Face face = nullptr;
  // The upper half of fontconfig's index names a variable font's instance, which the character
  // map does not depend on.
  if (FT_New_Face(library_->handle, file.c_str(), index & 0xFFFF, &face) != 0) return false;
  const auto* const begin = face->charmaps;
  const auto* const end = begin + face->num_charmaps;
  const bool symbol = std::any_of(
      begin, end, [](FT_CharMap charmap) { return charmap->encoding == FT_ENCODING_MS_SYMBOL; });
  FT_Done_Face(face);
  return symbol;
}

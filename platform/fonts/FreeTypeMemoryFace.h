#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// A face of font bytes held in memory, opened with FreeType for the object's life. FreeType reads
// a collection's whole offset table every time it opens one of its faces, so opening each face
// of a collection of 65,536 fonts in turn read 4 billion offsets: a font of a collection is shown
// to FreeType instead behind a header that lists that font alone, and FreeType reads one offset.
// The font's own tables lie where they lie in the file, so every other read is the file's.
class FreeTypeMemoryFace {
 public:
  // Face `index` of the bytes (with a named instance in the bits above 0xFFFF). For a font of a
  // collection, `collectionFont` is where its offset table lies (as CollectionFonts lists it);
  // the named instance bits of `index` then count and its face bits do not. The bytes must
  // outlive the object.
  FreeTypeMemoryFace(FT_Library library, std::string_view bytes, long index,
                     std::optional<std::uint64_t> collectionFont = std::nullopt);
  ~FreeTypeMemoryFace();
  FreeTypeMemoryFace(const FreeTypeMemoryFace&) = delete;
  FreeTypeMemoryFace& operator=(const FreeTypeMemoryFace&) = delete;

  // The face; null when FreeType does not open it.
  FT_Face Face() const { return face_; }

 private:
  static unsigned long Read(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                            unsigned long count);

  std::string_view bytes_;
  // "ttcf", version 1.0, one font, its offset.
  std::array<unsigned char, 16> header_{};
  FT_StreamRec stream_{};
  FT_Face face_ = nullptr;
};

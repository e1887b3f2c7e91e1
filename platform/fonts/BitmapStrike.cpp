#include "platform/fonts/BitmapStrike.h"

#include <QPainterPath>
#include <cstdlib>
#include <limits>

namespace {

FT_Library Library() {
  static const FreeTypeLibrary library;
  return library.Handle();
}

FT_Face OpenFace(const std::string& file, int index) {
  FT_Face face = nullptr;
  if (Library() == nullptr || FT_New_Face(Library(), file.c_str(), index, &face) != 0) {
    return nullptr;
  }
  return face;
}

// FreeType gives sizes in 26.6 fixed point.
int Pixels(FT_Pos value) {
  return static_cast<int>((value + 32) >> 6);
}

std::vector<int> SizesOf(FT_Face face) {
  std::vector<int> sizes;
  for (int i = 0; i < face->num_fixed_sizes; ++i) {
    sizes.push_back(Pixels(face->available_sizes[i].y_ppem));
  }
  return sizes;
}

bool PixelSet(const FT_Bitmap& bitmap, unsigned row, unsigned column) {
  const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
    return (line[column / 8] & (0x80 >> column % 8)) != 0;
  return line[column] >= 128;
}

}  // namespace

BitmapStrike::BitmapStrike(const std::string& file, int index, int pixelSize)
    : face_(OpenFace(file, index)) {
  if (face_ == nullptr) return;
  const std::vector<int> sizes = SizesOf(face_);
  const int nearest = Nearest(sizes, pixelSize);
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i] == nearest && FT_Select_Size(face_, static_cast<FT_Int>(i)) == 0) {
      pixelSize_ = nearest;
      return;
    }
  }
  FT_Done_Face(face_);
  face_ = nullptr;
}

BitmapStrike::~BitmapStrike() {
  if (face_ != nullptr) FT_Done_Face(face_);
}

int BitmapStrike::Ascent() const {
  return Valid() ? Pixels(face_->size->metrics.ascender) : 0;
}

bool BitmapStrike::Load(char32_t code) const {
  const FT_UInt glyph = FT_Get_Char_Index(face_, code);
  return FT_Load_Glyph(face_, glyph, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0;
}

int BitmapStrike::Width(const QString& text) const {
  int width = 0;
  if (!Valid()) return width;
  for (const char32_t code : text.toUcs4()) {
    if (Load(code)) width += Pixels(face_->glyph->advance.x);
  }
  return width;
}

void BitmapStrike::AddText(QPainterPath& path, QPointF origin, const QString& text) const {
  if (!Valid()) return;
  for (const char32_t code : text.toUcs4()) {
    if (!Load(code)) continue;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const double left = origin.x() + slot->bitmap_left;
    const double top = origin.y() - slot->bitmap_top;
    // Each row's runs of set pixels as one rectangle; rows touch, and a winding fill joins them.
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      for (unsigned column = 0; column < bitmap.width;) {
        if (!PixelSet(bitmap, row, column)) {
          ++column;
          continue;
        }
        const unsigned start = column;
        while (column < bitmap.width && PixelSet(bitmap, row, column)) ++column;
        path.addRect(left + start, top + row, column - start, 1);
      }
    }
    origin.rx() += Pixels(slot->advance.x);
  }
}

std::vector<int> BitmapStrike::Sizes(const std::string& file, int index) {
  const FT_Face face = OpenFace(file, index);
  if (face == nullptr) return {};
  std::vector<int> sizes = SizesOf(face);
  FT_Done_Face(face);
  return sizes;
}

int BitmapStrike::Nearest(const std::vector<int>& sizes, int pixelSize) {
  int nearest = 0;
  int distance = std::numeric_limits<int>::max();
  for (const int size : sizes) {
    const int away = size < pixelSize ? pixelSize - size + 1 : size - pixelSize;
    if (away < distance) {
      distance = away;
      nearest = size;
    }
  }
  return nearest;
}

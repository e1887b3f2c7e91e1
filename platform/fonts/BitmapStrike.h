#pragma once

#include <QPointF>
#include <QString>
#include <string>
#include <vector>

#include "platform/fonts/FreeTypeLibrary.h"

class QPainterPath;

// One strike of a face of bitmaps only, read with FreeType: its glyphs drawn as squares of
// their pixels, for a device that keeps only outlines (a PDF page holds no bitmap font).
// Characters are looked up in the face's character map one by one, as a plain text output does,
// and one the face lacks shows as its missing glyph.
class BitmapStrike {
 public:
  // Opens the face's strike that the toolkit would draw at the pixel size (see Nearest).
  BitmapStrike(const std::string& file, int index, int pixelSize);
  ~BitmapStrike();
  BitmapStrike(const BitmapStrike&) = delete;
  BitmapStrike& operator=(const BitmapStrike&) = delete;

  // False when the face does not open or has no strikes.
  bool Valid() const { return face_ != nullptr; }
  // The strike's own size and measures, in its pixels.
  int PixelSize() const { return pixelSize_; }
  int Ascent() const;
  int Width(const QString& text) const;
  // Adds the text's pixels to the path, the first character's origin on the baseline at origin.
  void AddText(QPainterPath& path, QPointF origin, const QString& text) const;

  // The pixel sizes of the face's strikes; empty for a face that does not open.
  static std::vector<int> Sizes(const std::string& file, int index);
  // The strike the toolkit's font matching picks for a pixel size: the nearest, where a strike
  // smaller than asked counts one pixel further away, so a tie goes to the larger.
  static int Nearest(const std::vector<int>& sizes, int pixelSize);

 private:
  // Loads the glyph for the code point into the face's slot; false when it has no bitmap.
  bool Load(char32_t code) const;

  FT_Face face_ = nullptr;
  int pixelSize_ = 0;
};

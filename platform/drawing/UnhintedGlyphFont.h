#pragma once

#include <QRawFont>
#include <QString>
#include <string>

// A face registered with the toolkit, as a copy without hinting instructions, for as long as
// this lives: a PDF page embeds only a face the toolkit registered, and embeds this one without
// running a glyph program for each glyph.
class UnhintedGlyphFont {
 public:
  // Whether a copy of the face saves time: it has hinting programs, and registering a face (which
  // makes the toolkit read its whole database again, twice) costs less than they do.
  static bool WorthMaking(const std::string& sfnt);

  explicit UnhintedGlyphFont(const std::string& sfnt);
  ~UnhintedGlyphFont();
  UnhintedGlyphFont(const UnhintedGlyphFont&) = delete;
  UnhintedGlyphFont& operator=(const UnhintedGlyphFont&) = delete;

  // The copy at the size, unhinted; an invalid font when it could not be registered.
  QRawFont At(int pixels) const;

 private:
  int id_ = -1;
  QString family_;
};

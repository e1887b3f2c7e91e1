#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A font as a drawing surface takes it: a face in whole points, with bold and italic. Only that
// face is used; a character it lacks shows as its own missing glyph.
struct SurfaceFont {
  std::string Face;
  int Points = 12;
  bool Bold = false;
  bool Italic = false;
};

// A face whose glyphs are drawn by their index: the face alone as an sfnt, at a size in whole
// points. Its glyphs are its own, never another font's, and never shaped. A PDF page embeds the
// glyphs only of a face the toolkit opened from its file: when the face of the full name is the
// same face (the same 'head' table), it is drawn through it, else as outlines. A charted face,
// most of whose glyphs are drawn, is embedded from a copy without its hinting programs instead,
// where that is cheaper: the PDF writer runs them for every glyph it embeds.
struct GlyphFace {
  std::shared_ptr<const std::string> Sfnt;
  std::string FullName;
  int Points = 12;
  bool Charted = false;
};

struct PlacedGlyph {
  std::uint32_t Glyph = 0;
  int X = 0;
  int Y = 0;
  int MaxWidth = 0;
};

struct SurfaceRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// Where the program draws text and rules: a screen view or a printer page, in device pixels with
// the origin at the top-left corner. Text is black and drawn without a background, so that a
// face whose character cell is taller than the line step never erases the line above it.
class IDrawingSurface {
 public:
  virtual ~IDrawingSurface() = default;

  virtual int DpiX() = 0;
  virtual int DpiY() = 0;

  virtual void SetFont(const SurfaceFont& font) = 0;
  // Draws one line of text with its top-left corner at (x, y).
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  // Whether the current font is symbol-encoded: its glyphs for the codes 32 to 255 sit at
  // U+F000 plus the code, not at the code page's characters.
  virtual bool SymbolFont() = 0;

  virtual void SetPenWidth(int width) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;

  // Draws the text inside the rectangle, clipped to it, breaking lines between words when asked
  // (else only at line breaks); gives the height of the text laid out.
  virtual int DrawText(const std::string& text, const SurfaceRect& bounds, bool wordBreak) = 0;

  // Draws the face's glyphs by index, as one run where they fit: a page of glyphs costs about
  // what one line of text does.
  virtual void DrawGlyphs(const GlyphFace& face, const std::vector<PlacedGlyph>& glyphs) = 0;
  // Fills the rectangle in a grey from 0 (black) to 255 (white), without an outline.
  virtual void FillRect(const SurfaceRect& area, int grey) = 0;

  // Whether anything drawn between the two heights can show; drawing outside may be skipped.
  virtual bool NeedsRows(int top, int bottom) = 0;
};

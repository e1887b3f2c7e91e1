#pragma once

#include <QPoint>
#include <QRect>
#include <memory>
#include <vector>

#include "platform/drawing/IDrawingSurface.h"
#include "platform/fonts/FaceFont.h"

class BitmapStrike;
class QPainter;
class QPainterPath;
class QRawFont;
class UnhintedGlyphFont;

// A drawing surface over a painter: a paint box on the screen or a printer page.
class PainterSurface final : public IDrawingSurface {
 public:
  // dpiX and dpiY are the device's; the clip is the part that needs painting (empty: all of it).
  PainterSurface(QPainter& painter, int dpiX, int dpiY, const QRect& clip = QRect());
  ~PainterSurface() override;

  int DpiX() override { return dpiX_; }
  int DpiY() override { return dpiY_; }
  void SetFont(const SurfaceFont& font) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  bool SymbolFont() override;
  void SetPenWidth(int width) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  int DrawText(const std::string& text, const SurfaceRect& bounds, bool wordBreak) override;
  void DrawGlyphs(const GlyphFace& face, const std::vector<PlacedGlyph>& glyphs) override;
  void FillRect(const SurfaceRect& area, int grey) override;
  bool NeedsRows(int top, int bottom) override;

 private:
  bool OnPdf() const;
  // Draws the text of a face of bitmaps only on a PDF page: its nearest strike's pixels as
  // squares scaled to the asked size, at the places the face's own text would take.
  void DrawStrikeText(QPointF baseline, const QString& text);
  int DrawStrikeLines(const QString& text, const QRect& rect, bool wordBreak);
  // Fills a path in the strike's pixels, scaled to the device from the origin.
  void FillStrikePixels(const QPainterPath& path, QPointF origin);

  QPainter& painter_;
  int dpiX_;
  int dpiY_;
  QRect clip_;
  QPoint pen_;
  FaceTraits traits_;
  std::unique_ptr<BitmapStrike> strike_;  // only for a face of bitmaps only on a PDF page
  double strikeScale_ = 1;                // device pixels per pixel of the strike
  // The face drawn by glyph index at a size, loaded once: a page draws in two by turns.
  const QRawFont& GlyphFont(const GlyphFace& face, int pixels);
  struct LoadedGlyphFace {
    std::shared_ptr<const std::string> Sfnt;
    int Pixels = 0;
    std::unique_ptr<QRawFont> Font;
    // The face's registered copy, shared by its sizes, on a PDF page.
    std::shared_ptr<UnhintedGlyphFont> Copy;
  };
  std::vector<LoadedGlyphFace> glyphFaces_;
};

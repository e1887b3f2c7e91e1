#pragma once

#include <QPoint>
#include <QRect>
#include <memory>

#include "platform/drawing/IDrawingSurface.h"
#include "platform/fonts/FaceFont.h"

class BitmapStrike;
class QPainter;
class QPainterPath;
class QRawFont;

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
  void DrawGlyph(const GlyphFace& face, std::uint32_t glyph, int x, int y, int maxWidth) override;
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
  // The face last drawn by glyph index, loaded once for the run of glyphs drawn in it.
  std::shared_ptr<const std::string> glyphSfnt_;
  int glyphPixels_ = 0;
  std::unique_ptr<QRawFont> glyphFont_;
};

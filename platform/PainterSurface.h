#pragma once

#include <QPoint>
#include <QRect>

#include "platform/FaceFont.h"
#include "platform/IDrawingSurface.h"

class QPainter;

// A drawing surface over a painter: a paint box on the screen or a printer page.
class PainterSurface final : public IDrawingSurface {
 public:
  // dpiX and dpiY are the device's; the clip is the part that needs painting (empty: all of it).
  PainterSurface(QPainter& painter, int dpiX, int dpiY, const QRect& clip = QRect());

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
  bool NeedsRows(int top, int bottom) override;

 private:
  QPainter& painter_;
  int dpiX_;
  int dpiY_;
  QRect clip_;
  QPoint pen_;
  FaceTraits traits_;
};

#pragma once

#include "platform/drawing/IDrawingSurface.h"

// A surface that draws nothing: layouts run on it to learn the space they take.
class MeasuringSurface final : public IDrawingSurface {
 public:
  MeasuringSurface(int dpiX, int dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}

  int DpiX() override { return dpiX_; }
  int DpiY() override { return dpiY_; }
  void SetFont(const SurfaceFont&) override {}
  void TextOut(int, int, const std::string&) override {}
  int TextWidth(const std::string&) override { return 0; }
  bool SymbolFont() override { return false; }
  void SetPenWidth(int) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  int DrawText(const std::string&, const SurfaceRect&, bool) override { return 0; }
  void DrawGlyphs(const GlyphFace&, const std::vector<PlacedGlyph>&) override {}
  void FillRect(const SurfaceRect&, int) override {}
  bool NeedsRows(int, int) override { return false; }

 private:
  int dpiX_;
  int dpiY_;
};

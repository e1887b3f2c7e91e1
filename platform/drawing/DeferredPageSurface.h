#pragma once

#include <functional>

#include "platform/drawing/IDrawingSurface.h"

// A printer page that is begun on its device only when the first thing is drawn on it. A PDF
// writes the name of its document at its very start, so a document begun before its sheet is
// known (the first of a job, begun to learn the printer's resolution) can still be named for
// that sheet until something is drawn.
class DeferredPageSurface final : public IDrawingSurface {
 public:
  // begin starts the page on its device and gives the surface that draws there.
  DeferredPageSurface(int dpiX, int dpiY, std::function<IDrawingSurface&()> begin)
      : dpiX_(dpiX), dpiY_(dpiY), begin_(std::move(begin)) {}

  bool Begun() const { return page_ != nullptr; }

  int DpiX() override { return dpiX_; }
  int DpiY() override { return dpiY_; }
  void SetFont(const SurfaceFont& font) override { Page().SetFont(font); }
  void TextOut(int x, int y, const std::string& text) override { Page().TextOut(x, y, text); }
  int TextWidth(const std::string& text) override { return Page().TextWidth(text); }
  bool SymbolFont() override { return Page().SymbolFont(); }
  void SetPenWidth(int width) override { Page().SetPenWidth(width); }
  void MoveTo(int x, int y) override { Page().MoveTo(x, y); }
  void LineTo(int x, int y) override { Page().LineTo(x, y); }
  int DrawText(const std::string& text, const SurfaceRect& bounds, bool wordBreak) override {
    return Page().DrawText(text, bounds, wordBreak);
  }
  void DrawGlyphs(const GlyphFace& face, const std::vector<PlacedGlyph>& glyphs) override {
    Page().DrawGlyphs(face, glyphs);
  }
  void FillRect(const SurfaceRect& area, int grey) override { Page().FillRect(area, grey); }
  bool NeedsRows(int top, int bottom) override { return Page().NeedsRows(top, bottom); }

  // The page on its device, begun now if it was not.
  IDrawingSurface& Page() {
    if (page_ == nullptr) page_ = &begin_();
    return *page_;
  }

 private:
  int dpiX_;
  int dpiY_;
  std::function<IDrawingSurface&()> begin_;
  IDrawingSurface* page_ = nullptr;
};

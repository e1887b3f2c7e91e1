#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/drawing/IDrawingSurface.h"

// Records what is drawn on it. Text is measured as 10 pixels a character; the rows that need
// drawing can be limited to play a partly exposed view.
class RecordingSurface final : public IDrawingSurface {
 public:
  struct Text {
    int X;
    int Y;
    std::string Value;
    SurfaceFont Font;
  };
  struct Line {
    int FromX;
    int FromY;
    int ToX;
    int ToY;
    int PenWidth;
  };

  explicit RecordingSurface(int dpi = 96) : dpiX(dpi), dpiY(dpi) {}

  int DpiX() override { return dpiX; }
  int DpiY() override { return dpiY; }
  void SetFont(const SurfaceFont& f) override {
    font = f;
    fonts.push_back(f);
  }
  void TextOut(int x, int y, const std::string& text) override {
    texts.push_back({x, y, text, font});
    if (onTextOut) onTextOut(text);
  }
  int TextWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
  bool SymbolFont() override { return symbolFont; }
  void SetPenWidth(int width) override { penWidth = width; }
  void MoveTo(int x, int y) override {
    penX = x;
    penY = y;
  }
  void LineTo(int x, int y) override {
    lines.push_back({penX, penY, x, y, penWidth});
    penX = x;
    penY = y;
  }
  int DrawText(const std::string& text, const SurfaceRect& bounds, bool wordBreak) override {
    blocks.push_back({text, bounds, wordBreak, font});
    return blockHeight;
  }
  void DrawGlyphs(const GlyphFace& face, const std::vector<PlacedGlyph>& placed) override {
    for (const PlacedGlyph& g : placed) glyphs.push_back({g.X, g.Y, g.Glyph, face.Points});
  }
  void FillRect(const SurfaceRect& area, int grey) override { fills.push_back({area, grey}); }
  bool NeedsRows(int top, int bottom) override { return bottom > clipTop && top < clipBottom; }

  struct Block {
    std::string Value;
    SurfaceRect Bounds;
    bool WordBreak;
    SurfaceFont Font;
  };

  struct Glyph {
    int X;
    int Y;
    std::uint32_t Index;
    int Points;
  };
  struct Fill {
    SurfaceRect Area;
    int Grey;
  };

  int dpiX;
  int dpiY;
  int clipTop = 0;
  int clipBottom = 1 << 30;
  int blockHeight = 0;
  bool symbolFont = false;
  std::function<void(const std::string&)> onTextOut;
  SurfaceFont font;
  std::vector<SurfaceFont> fonts;
  std::vector<Text> texts;
  std::vector<Line> lines;
  std::vector<Block> blocks;
  std::vector<Glyph> glyphs;
  std::vector<Fill> fills;
  int penWidth = 1;
  int penX = 0;
  int penY = 0;
};

#include <algorithm>
#include <string>

#include "platform/drawing/IDrawingSurface.h"
#include "printing/SheetCharacters.h"
#include "printing/SheetLayouts.h"
#include "printing/SheetUnits.h"

namespace {

constexpr int kFirstCode = 33;
constexpr int kLastCode = 255;
constexpr int kCodesPerRow = 14;

// Printable ASCII codes show their character beside the number; the upper half of the code page
// is left to the glyph line, where the face shows what it maps them to.
std::string CodeLabel(int code) {
  if (code <= 126) return std::to_string(code) + " " + CodePageCharacter(code);
  return std::to_string(code);
}

}  // namespace

void PrintCharacterChart(IDrawingSurface& surface, const SheetContext& context,
                         const std::string& face) {
  const SheetUnits units(context.Metrics);
  DrawFontHeading(surface, context, face + context.StyleSuffix);

  int y = units.Y(0.6);
  for (int rowStart = kFirstCode; rowStart <= kLastCode; rowStart += kCodesPerRow) {
    const int rowEnd = std::min(rowStart + kCodesPerRow - 1, kLastCode);

    surface.SetFont({context.Texts.HeadingFont(), 7, false, false});
    int x = units.X(0.25);
    y += units.Y(0.4);
    for (int code = rowStart; code <= rowEnd; ++code) {
      x += units.X(0.5);
      surface.TextOut(x, y, CodeLabel(code));
    }

    surface.SetFont({face, 16, context.Texts.PrintBold(), context.Texts.PrintItalic()});
    x = units.X(0.28);
    y += units.Y(0.15);
    const bool symbol = surface.SymbolFont();
    for (int code = rowStart; code <= rowEnd; ++code) {
      x += units.X(0.5);
      surface.TextOut(x, y, FaceCharacter(code, symbol));
    }
  }
}

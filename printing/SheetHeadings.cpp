#include <string>

#include "platform/drawing/IDrawingSurface.h"
#include "platform/text/Rounding.h"
#include "printing/SheetLayouts.h"
#include "printing/SheetUnits.h"

namespace {

// The style words of the heading: " - Bold Italic" gives "Bold Italic", no suffix gives nothing.
std::string StyleWords(const std::string& styleSuffix) {
  constexpr std::size_t kAfterDash = 3;
  constexpr std::size_t kMostWords = 12;
  if (styleSuffix.size() <= kAfterDash) return {};
  return styleSuffix.substr(kAfterDash, kMostWords);
}

void DrawRule(IDrawingSurface& surface, const SheetUnits& units, double down) {
  surface.SetPenWidth(units.RuleWidth());
  surface.MoveTo(units.X(0.6), units.Y(down));
  surface.LineTo(units.X(7.5), units.Y(down));
}

}  // namespace

BlockPosition DrawSampleHeading(IDrawingSurface& surface, const SheetContext& context, int size) {
  const SheetUnits units(context.Metrics);
  surface.SetFont({context.Texts.HeadingFont(), 10, false, false});
  surface.TextOut(units.X(0.6), units.Y(0.45), context.Texts.SampleTitle());

  // The size is a whole number of points, so it reads as one without decimals.
  const std::string right =
      StyleWords(context.StyleSuffix) + "   Size: " + std::to_string(size) + " points";
  surface.TextOut(units.X(7.5) - surface.TextWidth(right), units.Y(0.45), right);

  DrawRule(surface, units, 0.7);
  return {units.X(0.6), units.Y(0.8)};
}

void DrawFontHeading(IDrawingSurface& surface, const SheetContext& context,
                     const std::string& text) {
  const SheetUnits units(context.Metrics);
  surface.SetFont({context.Texts.HeadingFont(), 12, false, false});
  // Centred on 4 inches as one expression, rounded once.
  const int x = RoundHalfEven(4.0 * units.DpiX() - 0.5 * surface.TextWidth(text));
  surface.TextOut(x, units.Y(0.3), text);
  DrawRule(surface, units, 0.6);
}

SheetLines LinesWithSample(const SheetContext& context) {
  SheetLines lines = context.SampleSheetLines;
  lines[2] = context.Texts.SampleText();
  return lines;
}

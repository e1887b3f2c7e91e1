#include <charconv>
#include <string>

#include <QLocale>

#include "platform/drawing/IDrawingSurface.h"
#include "platform/text/QtText.h"
#include "printing/SheetLayouts.h"
#include "printing/SheetUnits.h"

namespace {

// The user's decimal separator, as the program's locale gives it when the page is drawn.
std::string LocaleDecimalPoint() {
  return ToStdString(QLocale().decimalPoint());
}

// "7,0 point" where the user writes decimals with a comma: always one decimal.
std::string SizeLabel(float points) {
  char digits[32];
  const auto end =
      std::to_chars(digits, digits + sizeof digits, points, std::chars_format::fixed, 1).ptr;
  std::string label(digits, end);
  if (const auto dot = label.find('.'); dot != std::string::npos) {
    label.replace(dot, 1, LocaleDecimalPoint());
  }
  return label + " point";
}

}  // namespace

void PrintTextParagraphs(IDrawingSurface& surface, const SheetContext& context,
                         const std::string& face) {
  const SheetUnits units(context.Metrics);
  DrawFontHeading(surface, context, face + context.StyleSuffix);

  // The paragraphs never continue on another page: what the rectangle cannot hold is lost.
  SurfaceRect area{units.X(0.6), units.Y(0.8), units.X(7.5), units.Y(10.5)};
  const int gap = units.DpiY() / 6;
  for (const ParagraphSize& entry : context.ParagraphSizes) {
    if (!entry.Checked) continue;
    if (area.Top >= area.Bottom) break;
    surface.SetFont({context.Texts.HeadingFont(), 11, false, false});
    area.Top += surface.DrawText(SizeLabel(entry.PointSize), area, false);

    if (area.Top >= area.Bottom) break;
    surface.SetFont({face, SheetUnits::WholePoints(entry.PointSize), false, false});
    area.Top += surface.DrawText(context.Texts.ParagraphText(), area, true) + gap;
  }
}

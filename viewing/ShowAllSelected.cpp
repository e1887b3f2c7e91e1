#include "viewing/ShowAllSelected.h"

#include <QScrollArea>

#include "platform/IDrawingSurface.h"
#include "platform/MeasuringSurface.h"
#include "platform/Rounding.h"
#include "settings/SampleTexts.h"
#include "viewing/FontList.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/PaintBox.h"
#include "widgets/SpinEdit.h"

namespace {

constexpr int kMargin = 5;
constexpr int kHeadingPoints = 9;
constexpr double kHeadingAdvancePoints = 10.5;
constexpr double kSampleAdvanceFactor = 1.3;
constexpr double kRangeAfterSizeChange = 1.01;

}  // namespace

int HeadingStep(int dpi) {
  return RoundHalfEven(dpi * kHeadingAdvancePoints / 72.0);
}

int SampleStep(int dpi, int points) {
  return RoundHalfEven(dpi * (points * kSampleAdvanceFactor) / 72.0);
}

ShowAllSelected::ShowAllSelected(const ShowAllControls& controls, const FontList& fonts,
                                 const SampleTexts& texts)
    : c_(controls), fonts_(fonts), texts_(texts), lastValidSize_(controls.spnSelected.Value()) {}

int ShowAllSelected::DrawSelectedFonts(IDrawingSurface& surface, int points) {
  const int headingStep = HeadingStep(surface.DpiY());
  const int sampleStep = SampleStep(surface.DpiY(), points);
  const SurfaceFont heading{texts_.HeadingFont(), kHeadingPoints, true, false};
  const std::string sample = texts_.SampleText();
  const bool bold = c_.memDispFont.Bold();
  const bool italic = c_.memDispFont.Italic();
  int y = kMargin;
  for (int i = 0; i < fonts_.FontCount(); ++i) {
    if (!fonts_.IsScreenFontAt(i) || !c_.lstFonts.Selected(i)) continue;
    const std::string& name = c_.lstFonts.Text(i);
    // A face is created and drawn only where the view needs painting.
    if (surface.NeedsRows(y, y + headingStep + sampleStep)) {
      surface.SetFont(heading);
      surface.TextOut(kMargin, y, name);
      surface.SetFont({name, points, bold, italic});
      // The sample is clipped to its own band: the text is drawn without a background, and a
      // face whose ink reaches far above or below its line would otherwise overprint the
      // headings around it.
      const int top = y + headingStep;
      surface.DrawText(sample, {kMargin, top, c_.pbxSelected.width(), top + sampleStep}, false);
    }
    y += headingStep + sampleStep;
  }
  return y + headingStep;
}

int ShowAllSelected::SizeToDraw() {
  if (c_.spnSelected.InRange()) lastValidSize_ = c_.spnSelected.Value();
  return lastValidSize_;
}

void ShowAllSelected::pbxSelectedPaint(IDrawingSurface& surface) {
  const int height = DrawSelectedFonts(surface, SizeToDraw());
  SetHeight(height, height + 1);
}

void ShowAllSelected::spnSelectedChange() {
  c_.pbxSelected.repaint();
  MeasuringSurface measure(c_.pbxSelected.logicalDpiX(), c_.pbxSelected.logicalDpiY());
  const int height = DrawSelectedFonts(measure, SizeToDraw());
  SetHeight(height, static_cast<int>(height * kRangeAfterSizeChange));
}

void ShowAllSelected::SetHeight(int height, int range) {
  if (c_.pbxSelected.height() != height) c_.pbxSelected.resize(c_.pbxSelected.width(), height);
  if (c_.ScrollRange.height() != range) c_.ScrollRange.setFixedHeight(range);
}

int ShowAllSelected::ScrollRange() const {
  return c_.ScrollRange.height();
}

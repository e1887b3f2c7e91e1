#include "viewing/ShowAllSelected.h"

#include <QScrollArea>

#include "platform/drawing/IDrawingSurface.h"
#include "platform/drawing/MeasuringSurface.h"
#include "platform/text/Rounding.h"
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
  std::vector<int> shown = c_.lstFonts.SelectedIndexes();
  std::erase_if(shown,
                [this](int i) { return i >= fonts_.FontCount() || !fonts_.IsScreenFontAt(i); });
  // Every entry is one step high, so the first one the view needs is found by halving, and a
  // repaint costs the entries in view whatever the number selected.
  const int step = headingStep + sampleStep;
  const auto top = [step](std::size_t k) { return kMargin + static_cast<int>(k) * step; };
  std::size_t first = 0;
  for (std::size_t last = shown.size(); first < last;) {
    const std::size_t middle = first + (last - first) / 2;
    if (surface.NeedsRows(0, top(middle) + step)) {
      last = middle;
    } else {
      first = middle + 1;
    }
  }
  for (std::size_t k = first; k < shown.size() && surface.NeedsRows(top(k), top(k) + step); ++k) {
    const std::string& name = c_.lstFonts.Text(shown[k]);
    // A face is created and drawn only where the view needs painting.
    surface.SetFont(heading);
    surface.TextOut(kMargin, top(k), name);
    surface.SetFont({name, points, bold, italic});
    // The sample is clipped to its own band: the text is drawn without a background, and a
    // face whose ink reaches far above or below its line would otherwise overprint the
    // headings around it.
    const int sampleTop = top(k) + headingStep;
    surface.DrawText(sample, {kMargin, sampleTop, c_.pbxSelected.width(), sampleTop + sampleStep},
                     false);
  }
  return top(shown.size()) + headingStep;
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

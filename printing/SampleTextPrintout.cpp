#include "platform/drawing/IDrawingSurface.h"
#include "printing/SheetLayouts.h"
#include "printing/SheetUnits.h"

namespace {

// Distances of this printout in hundredths of a point (1/7200 in): the point-based line advance
// and the inch-based steps are all whole numbers there, so each result is rounded exactly once.
constexpr long long kPerInch = 7200;

long long LineHeight(int size) {
  return 100LL * size + 350;
}  // S + 3.5 points

}  // namespace

SampleTextPrintout::SampleTextPrintout(const SheetContext& context) : context_(context) {}

void SampleTextPrintout::Prepare(IDrawingSurface& surface) {
  Prepare(surface, context_.Texts.SampleSize());
}

void SampleTextPrintout::Prepare(IDrawingSurface& surface, int size) {
  lines_ = LinesWithSample(context_);
  size_ = size;
  const long long dpiY = context_.Metrics.DpiY;
  lineAdvance_ = SheetUnits::RoundRatio(LineHeight(size_) * dpiY, kPerInch);

  // A block may start anywhere that leaves room above 10.5 in for its name step and three lines
  // (its trailing gap may run past).
  const long long pageBottom = 1050 * kPerInch / 100;
  const long long nameStep = 17 * kPerInch / 100;
  const long long blockWithoutGap = nameStep + 3 * LineHeight(size_);
  limit_ = SheetUnits::RoundRatio((pageBottom - blockWithoutGap) * dpiY, kPerInch);

  at_ = DrawSampleHeading(surface, context_, size_);
}

void SampleTextPrintout::Block(IDrawingSurface& surface, const std::string& face, int printedSoFar,
                               int selectedCount, const NewPage& newPage) {
  Block(surface, face, {face, size_, context_.Texts.PrintBold(), context_.Texts.PrintItalic()},
        printedSoFar, selectedCount, newPage);
}

void SampleTextPrintout::Block(IDrawingSurface& surface, const std::string& nameLine,
                               SurfaceFont body, int printedSoFar, int selectedCount,
                               const NewPage& newPage) {
  const SheetUnits units(context_.Metrics);
  surface.SetFont({context_.Texts.HeadingFont(), 10, false, false});
  surface.TextOut(at_.X, at_.Y, nameLine);
  at_.Y += units.Y(0.17);

  body.Points = size_;
  surface.SetFont(body);
  for (const std::string& line : lines_) {
    surface.TextOut(at_.X, at_.Y, line);
    at_.Y += lineAdvance_;
  }
  at_.Y += units.Y(0.1);

  // A block starting exactly on the limit still fits; no empty page follows the last font.
  if (at_.Y > limit_ && printedSoFar < selectedCount) {
    IDrawingSurface& next = newPage();
    at_ = DrawSampleHeading(next, context_, size_);
  }
}

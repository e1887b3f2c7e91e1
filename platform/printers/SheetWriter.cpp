#include "platform/printers/SheetWriter.h"

#include <QPageLayout>
#include <QPdfWriter>

namespace {

// The sheets are laid out for a printable area of 7.5 by 10.5 inches; a quarter-inch margin
// leaves that on Letter and on A4 paper.
constexpr double kMarginInches = 0.25;

}  // namespace

namespace SheetWriter {

QPageSize PaperNamed(const std::string& name) {
  return QPageSize(name == "A4" ? QPageSize::A4 : QPageSize::Letter);
}

std::unique_ptr<QPdfWriter> Make(QIODevice& device, const QPageSize& paper) {
  auto pdf = std::make_unique<QPdfWriter>(&device);
  pdf->setResolution(kResolution);
  pdf->setPageLayout(QPageLayout(
      paper, QPageLayout::Portrait,
      QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches), QPageLayout::Inch));
  pdf->setCreator(QStringLiteral("Glyphera"));
  return pdf;
}

PdfNavigation::Link LinkOver(const QPageLayout& layout, const SurfaceRect& area, int fromPage,
                             int toPage) {
  const QRectF paint = layout.paintRect(QPageLayout::Point);
  const double height = layout.fullRect(QPageLayout::Point).height();
  const double scale = 72.0 / kResolution;
  return {paint.left() + area.Left * scale,
          height - paint.top() - area.Bottom * scale,
          paint.left() + area.Right * scale,
          height - paint.top() - area.Top * scale,
          fromPage,
          toPage};
}

}  // namespace SheetWriter

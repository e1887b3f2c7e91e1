#pragma once

#include <QPageSize>
#include <memory>
#include <string>

#include "platform/drawing/IDrawingSurface.h"
#include "platform/printers/PdfNavigation.h"

class QIODevice;
class QPageLayout;
class QPdfWriter;

// How every printed document is made: as PDF at 600 dpi, on its paper with the margin the
// sheets are laid out for.
namespace SheetWriter {

inline constexpr int kResolution = 600;

// "A4", or Letter for any other name.
QPageSize PaperNamed(const std::string& name);

// A PDF writer of sheets on the paper, writing to device.
std::unique_ptr<QPdfWriter> Make(QIODevice& device, const QPageSize& paper);

// A link from one page to another over an area of the sheet in device pixels from the printable
// area's top-left corner, placed in points from the paper's bottom-left corner, as a PDF places it.
PdfNavigation::Link LinkOver(const QPageLayout& layout, const SurfaceRect& area, int fromPage,
                             int toPage);

}  // namespace SheetWriter

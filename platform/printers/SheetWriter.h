#pragma once

#include <QPageSize>
#include <memory>
#include <string>

class QIODevice;
class QPdfWriter;

// How every printed document is made: as PDF at 600 dpi, on its paper with the margin the
// sheets are laid out for.
namespace SheetWriter {

inline constexpr int kResolution = 600;

// "A4", or Letter for any other name.
QPageSize PaperNamed(const std::string& name);

// A PDF writer of sheets on the paper, writing to device.
std::unique_ptr<QPdfWriter> Make(QIODevice& device, const QPageSize& paper);

}  // namespace SheetWriter

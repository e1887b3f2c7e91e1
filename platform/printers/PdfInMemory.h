#pragma once

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <memory>
#include <optional>
#include <string>

#include "platform/drawing/IDrawingSurface.h"

class PainterSurface;
class QPainter;
class QPdfWriter;

// A PDF of sheets made in memory: the writer on its paper, and the painter and drawing surface
// over it once it is begun. Its bytes are taken at its end, where every step can be checked:
// the PDF engine reports success even when its own writes failed.
class PdfInMemory {
 public:
  explicit PdfInMemory(const QPageSize& paper);
  ~PdfInMemory();
  PdfInMemory(const PdfInMemory&) = delete;
  PdfInMemory& operator=(const PdfInMemory&) = delete;

  // Begins painting its first page, with the title in its first bytes. False when the writer
  // cannot begin.
  bool Begin(const std::string& title);
  bool Begun() const { return surface_ != nullptr; }
  // Only once begun.
  IDrawingSurface& Surface();
  bool NewPage();
  QPageLayout Layout() const;

  // Ends painting; the bytes, or nothing when the writer did not make them whole.
  std::optional<std::string> End();

 private:
  QBuffer bytes_;
  std::unique_ptr<QPdfWriter> pdf_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<PainterSurface> surface_;
};

#include "platform/printers/PdfInMemory.h"

#include <QPainter>
#include <QPdfWriter>

#include "platform/drawing/PainterSurface.h"
#include "platform/printers/SheetWriter.h"
#include "platform/text/QtText.h"

PdfInMemory::PdfInMemory(const QPageSize& paper) {
  bytes_.open(QIODevice::WriteOnly);
  pdf_ = SheetWriter::Make(bytes_, paper);
}

PdfInMemory::~PdfInMemory() {
  surface_.reset();
  if (painter_ && painter_->isActive()) painter_->end();
}

bool PdfInMemory::Begin(const std::string& title) {
  pdf_->setTitle(ToQString(title));
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(pdf_.get())) return false;
  surface_ = std::make_unique<PainterSurface>(*painter_, SheetWriter::kResolution,
                                              SheetWriter::kResolution);
  return true;
}

IDrawingSurface& PdfInMemory::Surface() {
  return *surface_;
}

bool PdfInMemory::NewPage() {
  return pdf_->newPage();
}

QPageLayout PdfInMemory::Layout() const {
  return pdf_->pageLayout();
}

std::optional<std::string> PdfInMemory::End() {
  surface_.reset();
  const bool made = painter_ && painter_->end();
  if (!made) return std::nullopt;
  const QByteArray& bytes = bytes_.data();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

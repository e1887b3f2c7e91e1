#include "platform/printers/PdfBook.h"

#include <string_view>

#include "platform/PlatformError.h"
#include "platform/drawing/DeferredPageSurface.h"
#include "platform/printers/PdfDocumentDate.h"
#include "platform/printers/PdfInMemory.h"
#include "platform/printers/SheetWriter.h"

namespace {

constexpr const char* kPrintingInProgress = "Printing in progress";

}  // namespace

PdfBook::PdfBook(PartSink sink, const std::string& title, const std::string& paper,
                 std::optional<std::time_t> date)
    : sink_(std::move(sink)), paper_(paper), date_(date), title_(title) {}

PdfBook::~PdfBook() {
  Close();
}

void PdfBook::BeginDoc() {
  if (Printing()) throw PlatformError(kPrintingInProgress);
  page_ =
      std::make_unique<DeferredPageSurface>(SheetWriter::kResolution, SheetWriter::kResolution,
                                            [this]() -> IDrawingSurface& { return BeginPage(); });
}

IDrawingSurface& PdfBook::BeginPage() {
  if (part_) {
    part_->NewPage();
  } else {
    // A part of the book is made whole in memory, then handed on: the PDF writer keeps every
    // font of a document until its end, so a part has a few pages, and the fonts the pages
    // share (the headings') are written once a part.
    part_ = std::make_unique<PdfInMemory>(SheetWriter::PaperNamed(paper_));
    if (!part_->Begin(title_)) throw PlatformError("Unable to write the PDF");
  }
  ++partPages_;
  documentStart_ = pagesHanded_ + partPages_ - 1;
  return part_->Surface();
}

int PdfBook::OpenPage() {
  page_->Page();
  return pagesHanded_ + partPages_ - 1;
}

void PdfBook::NewPage() {
  if (!Printing()) throw PlatformError("Printer is not currently printing");
  OpenPage();  // the page ended is a page even with nothing drawn on it
  if (!part_->NewPage()) throw PlatformError("Unable to begin a new page");
  ++partPages_;
}

void PdfBook::AddBookmark(int level, const std::string& title) {
  if (!Printing()) throw PlatformError("Printer is not currently printing");
  bookmarks_.push_back({level, title, OpenPage()});
}

void PdfBook::AddLink(const SurfaceRect& area, int page) {
  if (!Printing()) throw PlatformError("Printer is not currently printing");
  const int from = OpenPage();
  links_.push_back(SheetWriter::LinkOver(part_->Layout(), area, from, documentStart_ + page));
}

void PdfBook::EndDoc() {
  if (!Printing()) return;
  page_->Page();  // a sheet with nothing drawn on it is still a sheet
  page_.reset();
  if (partPages_ >= kPartPages) EndPart();
}

void PdfBook::EndPart() {
  if (!part_) return;
  std::optional<std::string> pdf = part_->End();
  const int pages = partPages_;
  Close();
  if (pdf) PdfDocumentDate::Set(*pdf, date_);
  if (!pdf || !sink_(std::move(*pdf))) throw PlatformError("Unable to write the PDF");
  pagesHanded_ += pages;
}

void PdfBook::Abort() {
  if (!Printing()) return;
  Close();
  aborted_ = true;
}

IDrawingSurface& PdfBook::Canvas() {
  if (!page_) throw PlatformError("Printer is not currently printing");
  return *page_;
}

void PdfBook::Close() {
  partPages_ = 0;
  page_.reset();
  part_.reset();
}

std::error_code PdfBook::Finish() {
  Abort();
  if (aborted_) return std::make_error_code(std::errc::operation_canceled);
  try {
    EndPart();
  } catch (const PlatformError&) {
    return std::make_error_code(std::errc::io_error);
  }
  return {};
}

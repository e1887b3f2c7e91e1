#include "platform/printers/PdfBook.h"

#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <string_view>

#include "platform/PlatformError.h"
#include "platform/drawing/DeferredPageSurface.h"
#include "platform/drawing/PainterSurface.h"
#include "platform/files/SafeWrite.h"
#include "platform/fonts/IFontServices.h"
#include "platform/printers/PdfDocumentDate.h"
#include "platform/printers/SheetWriter.h"

namespace {

constexpr const char* kPrintingInProgress = "Printing in progress";

}  // namespace

// The descriptor as the PDF writer's device. Every write is checked, and the first failure kept:
// the PDF engine goes on as if its writes had all succeeded. The first bytes are held back until
// the date stamp in them is set.
class PdfBook::Output final : public QIODevice {
 public:
  Output(int fd, std::optional<std::time_t> date) : fd_(fd), date_(date) {
    open(QIODevice::WriteOnly);
  }

  std::error_code Error() const { return error_; }

  // Writes what is held back.
  std::error_code Flush() {
    if (!held_) return error_;
    held_ = false;
    PdfDocumentDate::Set(head_, date_);
    Put(head_);
    head_.clear();
    return error_;
  }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    const std::string_view bytes(data, static_cast<std::size_t>(size));
    if (held_) {
      head_.append(bytes);
      if (head_.size() >= PdfDocumentDate::kHeadBytes) Flush();
    } else {
      Put(bytes);
    }
    return error_ ? -1 : size;
  }

 private:
  void Put(std::string_view bytes) {
    if (!error_) error_ = SafeWrite::WriteAll(fd_, bytes);
  }

  int fd_;
  std::optional<std::time_t> date_;
  std::string head_;
  bool held_ = true;
  std::error_code error_;
};

PdfBook::PdfBook(int fd, const std::string& paper, std::optional<std::time_t> date,
                 IFontServices& fonts)
    : output_(std::make_unique<Output>(fd, date)), paper_(paper), fonts_(fonts) {}

PdfBook::~PdfBook() {
  page_.reset();
  surface_.reset();
  if (painter_ && painter_->isActive()) painter_->end();
}

void PdfBook::SetPrinterIndex(int index) {
  if (index != 0) throw PlatformError("Printer selected is not valid");
}

const std::vector<std::string>& PdfBook::Fonts() {
  if (!fontList_) fontList_ = fonts_.InstalledFamilies();
  return *fontList_;
}

void PdfBook::BeginDoc() {
  if (Printing()) throw PlatformError(kPrintingInProgress);
  page_ =
      std::make_unique<DeferredPageSurface>(SheetWriter::kResolution, SheetWriter::kResolution,
                                            [this]() -> IDrawingSurface& { return BeginPage(); });
}

IDrawingSurface& PdfBook::BeginPage() {
  if (!painter_) {
    pdf_ = SheetWriter::Make(*output_, SheetWriter::PaperNamed(paper_));
    // The book's title is that of its first document: it goes into the PDF's first bytes.
    pdf_->setTitle(QString::fromStdString(title_));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(pdf_.get())) throw PlatformError("Unable to write the PDF");
    surface_ = std::make_unique<PainterSurface>(*painter_, SheetWriter::kResolution,
                                                SheetWriter::kResolution);
  } else {
    pdf_->newPage();
  }
  ++pages_;
  return *surface_;
}

void PdfBook::EndDoc() {
  if (!Printing()) return;
  page_->Page();  // a sheet with nothing drawn on it is still a sheet
  page_.reset();
  if (const std::error_code error = output_->Error()) {
    throw PlatformError("Unable to write the PDF: " + error.message());
  }
}

void PdfBook::Abort() {
  if (!Printing()) return;
  page_.reset();
  aborted_ = true;
}

IDrawingSurface& PdfBook::Canvas() {
  if (!page_) throw PlatformError("Printer is not currently printing");
  return *page_;
}

std::error_code PdfBook::Finish() {
  if (Printing()) Abort();
  if (!painter_) return std::make_error_code(std::errc::invalid_argument);
  surface_.reset();
  painter_->end();
  painter_.reset();
  pdf_.reset();
  if (aborted_) return std::make_error_code(std::errc::operation_canceled);
  return output_->Flush();
}

#include "platform/printers/Printers.h"

#include <QPageSize>
#include <QSizeF>
#include <algorithm>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/desktop/IMessageDispatch.h"
#include "platform/drawing/DeferredPageSurface.h"
#include "platform/fonts/IFontServices.h"
#include "platform/printers/CupsConnection.h"
#include "platform/printers/CupsQueues.h"
#include "platform/printers/PdfDocumentDate.h"
#include "platform/printers/PdfInMemory.h"
#include "platform/printers/PpdFonts.h"
#include "platform/printers/PrintServerRequest.h"
#include "platform/printers/SheetWriter.h"
#include "platform/storage/IRegistry.h"
#include "platform/text/QtText.h"
#include "platform/text/TextCompare.h"

namespace {

constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";
constexpr const char* kPrinterNotValid = "Printer selected is not valid";
constexpr const char* kPrintingInProgress = "Printing in progress";
QPageSize PaperOfSize(const std::pair<double, double>& millimetres) {
  // A size within a fraction of a millimetre of a standard paper is that paper.
  return QPageSize(QSizeF(millimetres.first, millimetres.second), QPageSize::Millimeter, QString(),
                   QPageSize::FuzzyMatch);
}

using Millimetres = std::optional<std::pair<double, double>>;

// How long the program waits for the print server. At start-up the window waits, so briefly: a
// server that answers at all answers the few questions of a start well within it. Reading the
// printers and their fonts and paper for Print Setup may take a little longer, and the window
// waits then too. While a document is printed, the progress dialog stays live, and only the
// server's own silence (CupsConnection::kPatience) ends the wait.
constexpr std::chrono::milliseconds kStartupWait{1000};
constexpr std::chrono::seconds kReadWait{3};
constexpr const char* kNoAnswer = "the print server does not answer";

ServerPatience ReadPatience() {
  return {std::chrono::steady_clock::now() + kReadWait, {}};
}

std::string NoAnswerOn(const std::string& queue) {
  return "Unable to print on " + queue + ": " + kNoAnswer;
}

}  // namespace

// What a start needs of the print server: the queues, the default one, and the fonts the
// default one's printer holds.
struct Printers::StartupAnswer {
  CupsQueues::Listing Queues;
  std::string DefaultPpd;
};

Printers::Printers(IFontServices& fonts, IRegistry& registry, IMessageDispatch& dispatch)
    : fonts_(fonts), dispatch_(dispatch), pdfFiles_(registry) {
  // The queues are asked for at once, while the rest of the program starts, and taken when
  // first needed if they have come by then; a server that does not answer holds nothing up.
  startupAnswer_ = std::make_shared<StartupAnswer>();
  startupRequest_ =
      std::make_unique<PrintServerRequest>([answer = startupAnswer_](CupsConnection& server) {
        answer->Queues = CupsQueues::List(server);
        const std::vector<std::string>& names = answer->Queues.Names;
        const std::string& queue = answer->Queues.DefaultName;
        if (std::find(names.begin(), names.end(), queue) != names.end()) {
          answer->DefaultPpd = CupsQueues::Ppd(server, queue);
        }
      });
  startupDeadline_ = std::chrono::steady_clock::now() + kStartupWait;
  // A sheet a killed run was writing is of no use to anyone.
  pdfFiles_.RemoveAbandoned();
}

Printers::~Printers() {
  Abort();
}

void Printers::TakeStartupAnswer() {
  if (!startupRequest_) return;
  serverAnswers_ = startupRequest_->Wait({startupDeadline_, {}});
  startupRequest_.reset();
  if (serverAnswers_) {
    Adopt(std::move(startupAnswer_->Queues));
    if (!IsPdfPrinter()) startupPpd_ = {CurrentName(), std::move(startupAnswer_->DefaultPpd)};
  } else {
    Adopt({});
  }
  startupAnswer_.reset();
}

bool Printers::ReadPrinters() {
  TakeStartupAnswer();
  // The open document goes to the printer it was begun on.
  if (Printing()) return serverAnswers_;
  auto queues = AskPrintServer<CupsQueues::Listing>(
      [](CupsConnection& server) { return CupsQueues::List(server); }, ReadPatience());
  serverAnswers_ = queues.has_value();
  // A server that does not answer now may answer again; the printers stay as last read.
  if (!queues) return false;
  Adopt(std::move(*queues));
  return true;
}

bool Printers::PrintServerAnswered() {
  TakeStartupAnswer();
  return serverAnswers_ && serverReached_;
}

void Printers::Adopt(CupsQueues::Listing queues) {
  serverReached_ = queues.Reached;
  const std::string current = names_.empty() ? "" : CurrentName();
  names_ = {kPdfPrinterName};
  for (std::string& name : queues.Names) names_.push_back(std::move(name));
  const auto kept = std::find(names_.begin(), names_.end(), current);
  if (kept != names_.end()) {
    index_ = static_cast<int>(kept - names_.begin());
    return;
  }
  // A new start, or the printer went: the server's default queue, else the PDF printer.
  index_ = 0;
  for (std::size_t i = 1; i < names_.size(); ++i) {
    if (names_[i] == queues.DefaultName) index_ = static_cast<int>(i);
  }
  fontList_.reset();
}

std::vector<std::string> Printers::PrinterNames() {
  TakeStartupAnswer();
  return names_;
}

int Printers::PrinterIndex() {
  TakeStartupAnswer();
  if (names_.empty()) throw PlatformError(kNoDefaultPrinter);
  return index_;
}

void Printers::SetPrinterIndex(int index) {
  TakeStartupAnswer();
  if (Printing()) throw PlatformError(kPrintingInProgress);
  if (index < 0 || index >= static_cast<int>(names_.size())) throw PlatformError(kPrinterNotValid);
  index_ = index;
  fontList_.reset();
}

const std::vector<std::string>& Printers::Fonts() {
  TakeStartupAnswer();
  if (!fontList_) {
    if (names_.empty()) throw PlatformError(kNoDefaultPrinter);
    std::optional<std::string> ppd;
    if (!IsPdfPrinter()) ppd = QueuePpd();
    std::vector<std::string> families = fonts_.InstalledFamilies();
    // Without the server's answer the printer's own fonts are unknown; the installed ones are
    // still listed.
    if (ppd) AddResidentFamilies(families, *ppd);
    fontList_ = std::move(families);
  }
  return *fontList_;
}

std::optional<std::string> Printers::QueuePpd() {
  const std::string queue = CurrentName();
  if (startupPpd_ && startupPpd_->first == queue) {
    std::string ppd = std::move(startupPpd_->second);
    startupPpd_.reset();
    return ppd;
  }
  startupPpd_.reset();
  if (!serverAnswers_) return std::nullopt;
  const auto asked = AskPrintServer<std::optional<std::string>>(
      [queue](CupsConnection& server) -> std::optional<std::string> {
        if (!CupsQueues::Exists(server, queue)) return std::nullopt;
        return CupsQueues::Ppd(server, queue);
      },
      ReadPatience());
  serverAnswers_ = asked.has_value();
  // A CUPS printer can vanish while the program runs; it then cannot be opened.
  if (asked && !*asked) throw PlatformError(kPrinterNotValid);
  return asked ? *asked : std::nullopt;
}

void Printers::AddResidentFamilies(std::vector<std::string>& families,
                                   const std::string& ppd) const {
  // A resident font the screen has under the same family name is that family, listed once.
  std::vector<std::string> folded;
  for (const std::string& family : families) folded.push_back(FoldCase(family));
  std::sort(folded.begin(), folded.end());
  for (std::string& resident : ResidentFamilies(ppd)) {
    if (!std::binary_search(folded.begin(), folded.end(), FoldCase(resident))) {
      families.push_back(std::move(resident));
    }
  }
}

void Printers::BeginDoc() {
  TakeStartupAnswer();
  if (Printing()) throw PlatformError(kPrintingInProgress);
  if (names_.empty()) throw PlatformError(kNoDefaultPrinter);
  const std::string name = CurrentName();
  QPageSize paper = SheetWriter::PaperNamed(paperForRun_.empty() ? PaperSize() : paperForRun_);
  if (IsPdfPrinter()) {
    const std::string folder = OutputFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error))
      throw PlatformError("Unable to write to " + folder);
  } else {
    // Refused now, before the sheet is drawn, rather than when it is sent.
    const auto size = AskPrintServer<Millimetres>(
        [name](CupsConnection& server) {
          // A CUPS printer can vanish while the program runs; it then cannot be opened.
          if (!CupsQueues::Exists(server, name)) throw PlatformError(kPrinterNotValid);
          CupsQueues::CheckTakesJobs(server, name);
          return CupsQueues::DefaultPaperMillimetres(server, name);
        },
        PrintingPatience());
    serverAnswers_ = size.has_value();
    if (!size) throw PlatformError(NoAnswerOn(name));
    if (*size && paperForRun_.empty()) paper = PaperOfSize(**size);
  }
  // Every document is made as PDF in memory and handed over when it is ended, where every step
  // is checked: the PDF engine reports success even when its own writes failed, and Qt's CUPS
  // printing does not look at whether the server took the job.
  document_ = std::make_unique<PdfInMemory>(paper);
  page_ = std::make_unique<DeferredPageSurface>(
      kPdfResolution, kPdfResolution, [this]() -> IDrawingSurface& { return BeginPage(); });
}

IDrawingSurface& Printers::BeginPage() {
  // The title goes into the document's first bytes: it is the one in force now.
  if (!document_->Begin(title_)) {
    const std::string name = names_[static_cast<std::size_t>(index_)];
    throw PlatformError("Unable to write to " + (IsPdfPrinter() ? OutputFolder() : name));
  }
  return document_->Surface();
}

void Printers::SetTitle(const std::string& title) {
  title_ = title;
}

void Printers::NewPage() {
  if (!Printing()) throw PlatformError("Printer is not currently printing");
  page_->Page();  // the page ended is a page even with nothing drawn on it
  if (!document_->NewPage()) throw PlatformError("Unable to begin a new page");
  ++pageNumber_;
}

void Printers::AddBookmark(int level, const std::string& title) {
  if (!Printing()) throw PlatformError("Printer is not currently printing");
  bookmarks_.push_back({level, title, pageNumber_});
}

void Printers::AddLink(const SurfaceRect& area, int page) {
  if (!Printing()) throw PlatformError("Printer is not currently printing");
  links_.push_back(SheetWriter::LinkOver(document_->Layout(), area, pageNumber_, page));
}

std::string Printers::PaperOf(int index) {
  TakeStartupAnswer();
  if (index > 0 && index < static_cast<int>(names_.size()) && serverAnswers_) {
    const std::string queue = names_[static_cast<std::size_t>(index)];
    const auto size = AskPrintServer<Millimetres>(
        [queue](CupsConnection& server) {
          return CupsQueues::DefaultPaperMillimetres(server, queue);
        },
        ReadPatience());
    serverAnswers_ = size.has_value();
    if (size && *size) {
      const QPageSize paper = PaperOfSize(**size);
      return paper.id() == QPageSize::Letter ? "Letter" : ToStdString(paper.name());
    }
  }
  return PaperSize();
}

void Printers::EndDoc() {
  if (!Printing()) return;
  dispatch_.ProcessMessages();
  page_->Page();  // a sheet with nothing drawn on it is still a sheet
  std::optional<std::string> made = document_->End();
  dispatch_.ProcessMessages();
  const bool written = made.has_value();
  std::string pdf = written ? std::move(*made) : std::string();
  if (fixedDate_) PdfDocumentDate::Set(pdf, *fixedDate_);
  std::string failed;
  if (written && (!bookmarks_.empty() || !links_.empty())) {
    try {
      pdf += PdfNavigation::Update(pdf, bookmarks_, links_);
    } catch (const PlatformError& error) {
      failed = error.what();
    }
  }
  if (!failed.empty()) {
    // A document whose navigation could not be added is not sent half made.
  } else if (IsPdfPrinter()) {
    failed = pdfFiles_.Write(written, pdf);
  } else if (!written) {
    failed = "Unable to write to " + names_[static_cast<std::size_t>(index_)];
  } else {
    const std::string queue = CurrentName();
    try {
      const auto sent = AskPrintServer<bool>(
          [queue, title = title_, pdf = std::move(pdf)](CupsConnection& server) {
            CupsQueues::Submit(server, queue, title, pdf);
            return true;
          },
          PrintingPatience());
      serverAnswers_ = sent.has_value();
      if (!sent) failed = NoAnswerOn(queue);
    } catch (const PlatformError& error) {
      failed = error.what();
    }
  }
  Close();
  if (!failed.empty()) throw PlatformError(failed);
}

void Printers::Abort() {
  if (!Printing()) return;
  Close();
}

ServerPatience Printers::PrintingPatience() {
  // The progress dialog repaints and takes a click on Cancel while the server is asked.
  return {std::nullopt, [this] { dispatch_.ProcessMessages(); }};
}

IDrawingSurface& Printers::Canvas() {
  if (!page_) throw PlatformError("Printer is not currently printing");
  return *page_;
}

void Printers::Close() {
  pageNumber_ = 0;
  bookmarks_.clear();
  links_.clear();
  page_.reset();
  document_.reset();
}

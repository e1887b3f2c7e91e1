#include "platform/printers/QtPrinter.h"

#include <QBuffer>
#include <QDateTime>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "platform/PlatformError.h"
#include "platform/desktop/IMessageDispatch.h"
#include "platform/drawing/DeferredPageSurface.h"
#include "platform/drawing/PainterSurface.h"
#include "platform/files/LiveProcess.h"
#include "platform/files/SafeWrite.h"
#include "platform/files/StaleTemporaries.h"
#include "platform/files/TemporaryName.h"
#include "platform/fonts/IFontServices.h"
#include "platform/printers/CupsConnection.h"
#include "platform/printers/CupsQueues.h"
#include "platform/printers/PpdFonts.h"
#include "platform/printers/PrintServerRequest.h"
#include "platform/storage/IRegistry.h"
#include "platform/storage/RegistryText.h"
#include "platform/text/QtText.h"
#include "platform/text/TextCompare.h"

namespace {

constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";
constexpr const char* kPrinterNotValid = "Printer selected is not valid";
constexpr const char* kPrintingInProgress = "Printing in progress";
constexpr const char* kSettingsKey = "Software\\Glyphera\\PDF Printer";
constexpr const char* kOutputFolderValue = "Output Folder";
constexpr const char* kPaperValue = "Paper";
// The sheets are laid out for a printable area of 7.5 by 10.5 inches; a quarter-inch margin
// leaves that on Letter and on A4 paper.
constexpr double kMarginInches = 0.25;

// A sheet is written under a temporary named by TemporaryName beside its final name, which
// carries its writer's process id, until all of it is on the disk; one of a copy that still runs
// is that copy's to finish, and RemoveStaleTemporaries leaves it. Earlier versions wrote it under
// ".glyphera-<process id>-<milliseconds>-<number>.pdf.part", and before that without the process,
// ".glyphera-<milliseconds>-<number>.pdf.part": one whose writer is gone is of no use to anyone.
bool IsAbandonedSheet(std::string_view name) {
  if (name.starts_with(".Glyphera ") && TemporaryName::WriterOf(name)) return true;
  constexpr std::string_view kPrefix = ".glyphera-";
  constexpr std::string_view kSuffix = ".pdf.part";
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return false;
  name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  std::vector<long long> numbers;
  for (std::string_view rest = name;;) {
    const std::string_view part = rest.substr(0, rest.find('-'));
    long long number = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
    if (part.empty() || error != std::errc() || end != part.data() + part.size()) return false;
    numbers.push_back(number);
    if (part.size() == rest.size()) break;
    rest.remove_prefix(part.size() + 1);
  }
  if (numbers.size() == 2) return true;
  return numbers.size() == 3 && !ProcessRuns(static_cast<long>(numbers[0]));
}

QPageLayout SheetLayout(const QPageSize& paper) {
  return QPageLayout(paper, QPageLayout::Portrait,
                     QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches),
                     QPageLayout::Inch);
}

QPageSize PaperNamed(const std::string& name) {
  return QPageSize(name == "A4" ? QPageSize::A4 : QPageSize::Letter);
}

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
struct QtPrinter::StartupAnswer {
  CupsQueues::Listing Queues;
  std::string DefaultPpd;
};

QtPrinter::QtPrinter(IFontServices& fonts, IRegistry& registry, IMessageDispatch& dispatch)
    : fonts_(fonts), registry_(registry), dispatch_(dispatch) {
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
  try {
    RemoveStaleTemporaries(OutputFolder(), IsAbandonedSheet);
  } catch (const PlatformError&) {
    // A folder named by a value of the wrong type is reported when a sheet is printed.
  }
}

QtPrinter::~QtPrinter() {
  Abort();
}

void QtPrinter::TakeStartupAnswer() {
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

bool QtPrinter::ReadPrinters() {
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

void QtPrinter::Adopt(CupsQueues::Listing queues) {
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

std::vector<std::string> QtPrinter::PrinterNames() {
  TakeStartupAnswer();
  return names_;
}

int QtPrinter::PrinterIndex() {
  TakeStartupAnswer();
  if (names_.empty()) throw PlatformError(kNoDefaultPrinter);
  return index_;
}

void QtPrinter::SetPrinterIndex(int index) {
  TakeStartupAnswer();
  if (Printing()) throw PlatformError(kPrintingInProgress);
  if (index < 0 || index >= static_cast<int>(names_.size())) throw PlatformError(kPrinterNotValid);
  index_ = index;
  fontList_.reset();
}

const std::vector<std::string>& QtPrinter::Fonts() {
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

std::optional<std::string> QtPrinter::QueuePpd() {
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

void QtPrinter::AddResidentFamilies(std::vector<std::string>& families,
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

std::string QtPrinter::StoredSetting(const char* name) {
  // A store that cannot be read leaves the printer its defaults: a sheet needs none of the
  // fonts' records, and the store's fault is reported where those are read.
  try {
    if (!registry_.QueryValue(RegistryRoot::CurrentUser, kSettingsKey, name)) return {};
  } catch (const PlatformError&) {
    return {};
  }
  return ReadRegistryText(registry_, RegistryRoot::CurrentUser, kSettingsKey, name);
}

std::string QtPrinter::OutputFolder() {
  const std::string stored = StoredSetting(kOutputFolderValue);
  if (!stored.empty()) return stored;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return ToStdString(documents) + "/Glyphera";
}

void QtPrinter::SetOutputFolder(const std::string& folder) {
  registry_.SetValue(RegistryRoot::CurrentUser, kSettingsKey, kOutputFolderValue,
                     {RegistryType::Text, folder, 0});
}

void QtPrinter::BeginDoc() {
  TakeStartupAnswer();
  if (Printing()) throw PlatformError(kPrintingInProgress);
  if (names_.empty()) throw PlatformError(kNoDefaultPrinter);
  const std::string name = CurrentName();
  QPageSize paper = PaperNamed(PaperSize());
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
    if (*size) paper = PaperOfSize(**size);
  }
  // Every document is made as PDF in memory and handed over when it is ended, where every step
  // is checked: the PDF engine reports success even when its own writes failed, and Qt's CUPS
  // printing does not look at whether the server took the job.
  pdfBytes_ = std::make_unique<QBuffer>();
  pdfBytes_->open(QIODevice::WriteOnly);
  pdf_ = std::make_unique<QPdfWriter>(pdfBytes_.get());
  pdf_->setResolution(kPdfResolution);
  pdf_->setPageLayout(SheetLayout(paper));
  pdf_->setCreator(QStringLiteral("Glyphera"));
  page_ = std::make_unique<DeferredPageSurface>(
      kPdfResolution, kPdfResolution, [this]() -> IDrawingSurface& { return BeginPage(); });
}

IDrawingSurface& QtPrinter::BeginPage() {
  // The title goes into the document's first bytes: it is the one in force now.
  pdf_->setTitle(ToQString(title_));
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(pdf_.get())) {
    const std::string name = names_[static_cast<std::size_t>(index_)];
    throw PlatformError("Unable to write to " + (IsPdfPrinter() ? OutputFolder() : name));
  }
  surface_ = std::make_unique<PainterSurface>(*painter_, kPdfResolution, kPdfResolution);
  return *surface_;
}

void QtPrinter::SetTitle(const std::string& title) {
  title_ = title;
}

std::string QtPrinter::PaperSize() {
  const std::string stored = StoredSetting(kPaperValue);
  if (stored == "Letter" || stored == "A4") return stored;
  return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? "Letter" : "A4";
}

std::string QtPrinter::PaperOf(int index) {
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

void QtPrinter::SetPaperSize(const std::string& paper) {
  registry_.SetValue(RegistryRoot::CurrentUser, kSettingsKey, kPaperValue,
                     {RegistryType::Text, paper, 0});
}

void QtPrinter::EndDoc() {
  if (!Printing()) return;
  dispatch_.ProcessMessages();
  page_->Page();  // a sheet with nothing drawn on it is still a sheet
  surface_.reset();
  const bool written = painter_->end();
  dispatch_.ProcessMessages();
  std::string failed;
  if (IsPdfPrinter()) {
    failed = WritePdfFile(written);
  } else if (!written) {
    failed = "Unable to write to " + names_[static_cast<std::size_t>(index_)];
  } else {
    const std::string queue = CurrentName();
    const QByteArray& bytes = pdfBytes_->data();
    try {
      const auto sent = AskPrintServer<bool>(
          [queue, title = title_,
           pdf = std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))](
              CupsConnection& server) {
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

std::string QtPrinter::WritePdfFile(bool made) {
  std::string finalName = NextPdfName();
  if (!made) return "Unable to write to " + finalName;
  // The sheet is written under a name of its own and takes its final name only when all of it
  // is on the disk, so a sheet cut short never stands among the finished ones. Another copy of
  // the program printing into the folder may take the name first: the sheet then takes the next
  // free one, and never replaces another's.
  const QByteArray& bytes = pdfBytes_->data();
  SafeWrite::ReplaceOptions options;
  options.NextFreeName = [this, &finalName] { return finalName = NextPdfName(); };
  const std::error_code error =
      SafeWrite::Replace(finalName, std::string_view(bytes.constData(), bytes.size()), options);
  if (error) {
    if (error == std::errc::no_space_on_device) {
      return "Unable to write to " + finalName + ": there is not enough space on the disk";
    }
    return "Unable to write to " + finalName;
  }
  return {};
}

std::string QtPrinter::NextPdfName() {
  const std::string folder = OutputFolder();
  const std::string stamp =
      ToStdString(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss")));
  for (;; ++sequence_) {
    char number[16];
    std::snprintf(number, sizeof number, "%06d", sequence_);
    const std::string name = folder + "/Glyphera " + stamp + " " + number + ".pdf";
    if (!std::filesystem::exists(name)) {
      ++sequence_;
      return name;
    }
  }
}

void QtPrinter::Abort() {
  if (!Printing()) return;
  surface_.reset();
  if (painter_ && painter_->isActive()) painter_->end();
  Close();
}

ServerPatience QtPrinter::PrintingPatience() {
  // The progress dialog repaints and takes a click on Cancel while the server is asked.
  return {std::nullopt, [this] { dispatch_.ProcessMessages(); }};
}

IDrawingSurface& QtPrinter::Canvas() {
  if (!page_) throw PlatformError("Printer is not currently printing");
  return *page_;
}

void QtPrinter::Close() {
  page_.reset();
  surface_.reset();
  painter_.reset();
  pdf_.reset();
  pdfBytes_.reset();
}

#include "platform/QtPrinter.h"

#include <QBuffer>
#include <QDateTime>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "platform/DurableFile.h"
#include "platform/IFontServices.h"
#include "platform/IMessageDispatch.h"
#include "platform/IRegistry.h"
#include "platform/PainterSurface.h"
#include "platform/PlatformError.h"
#include "platform/QtText.h"
#include "platform/RegistryText.h"
#include "platform/StaleTemporaries.h"

namespace {

constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";
constexpr const char* kPrinterNotValid = "Printer selected is not valid";
constexpr const char* kPrintingInProgress = "Printing in progress";
constexpr const char* kSettingsKey = "Software\\Glyphera\\PDF Printer";
constexpr const char* kOutputFolderValue = "Output Folder";
// The sheets are laid out for a printable area of 7.5 by 10.5 inches; a quarter-inch margin
// leaves that on Letter and on A4 paper.
constexpr double kMarginInches = 0.25;

// ".glyphera-<milliseconds>-<number>.pdf.part", the name a sheet is written under.
bool IsPartialSheet(std::string_view name) {
  constexpr std::string_view kPrefix = ".glyphera-";
  constexpr std::string_view kSuffix = ".pdf.part";
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return false;
  name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  const std::size_t dash = name.find('-');
  const auto digits = [](std::string_view part) {
    return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return dash != std::string_view::npos && digits(name.substr(0, dash)) &&
         digits(name.substr(dash + 1));
}

QPageLayout SheetLayout() {
  const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
  return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches),
                     QPageLayout::Inch);
}

}  // namespace

QtPrinter::QtPrinter(IFontServices& fonts, IRegistry& registry, IMessageDispatch& dispatch)
    : fonts_(fonts), registry_(registry), dispatch_(dispatch) {
  names_.push_back(kPdfPrinterName);
  for (const QString& name : QPrinterInfo::availablePrinterNames()) {
    names_.push_back(ToStdString(name));
  }
  const QString systemDefault = QPrinterInfo::defaultPrinterName();
  for (std::size_t i = 1; i < names_.size(); ++i) {
    if (ToQString(names_[i]) == systemDefault) index_ = static_cast<int>(i);
  }
  // A sheet a killed run was writing is of no use to anyone.
  try {
    RemoveStaleTemporaries(OutputFolder(), IsPartialSheet);
  } catch (const PlatformError&) {
    // A registry store that cannot be read is reported where it is read for the user.
  }
}

QtPrinter::~QtPrinter() {
  Abort();
}

int QtPrinter::PrinterIndex() {
  if (names_.empty()) throw PlatformError(kNoDefaultPrinter);
  return index_;
}

void QtPrinter::SetPrinterIndex(int index) {
  if (Printing()) throw PlatformError(kPrintingInProgress);
  if (index < 0 || index >= static_cast<int>(names_.size())) throw PlatformError(kPrinterNotValid);
  index_ = index;
  fontList_.reset();
}

bool QtPrinter::IsAvailable(int index) const {
  if (index == 0) return true;
  return !QPrinterInfo::printerInfo(ToQString(names_[static_cast<std::size_t>(index)])).isNull();
}

const std::vector<std::string>& QtPrinter::Fonts() {
  if (!fontList_) {
    if (names_.empty()) throw PlatformError(kNoDefaultPrinter);
    // A CUPS printer can vanish while the program runs; it then cannot be opened.
    if (!IsAvailable(index_)) throw PlatformError(kPrinterNotValid);
    fontList_ = fonts_.InstalledFamilies();
  }
  return *fontList_;
}

std::string QtPrinter::OutputFolder() {
  const std::string stored =
      ReadRegistryText(registry_, RegistryRoot::CurrentUser, kSettingsKey, kOutputFolderValue);
  if (!stored.empty()) return stored;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return ToStdString(documents) + "/Glyphera";
}

void QtPrinter::SetOutputFolder(const std::string& folder) {
  registry_.SetValue(RegistryRoot::CurrentUser, kSettingsKey, kOutputFolderValue,
                     {RegistryType::Text, folder, 0});
}

void QtPrinter::BeginDoc() {
  if (Printing()) throw PlatformError(kPrintingInProgress);
  if (names_.empty()) throw PlatformError(kNoDefaultPrinter);
  if (!IsAvailable(index_)) throw PlatformError(kPrinterNotValid);
  if (IsPdfPrinter()) {
    OpenPdfDocument();
  } else {
    OpenSystemDocument();
  }
  const int resolution = pdf_ ? pdf_->resolution() : printer_->resolution();
  surface_ = std::make_unique<PainterSurface>(*painter_, resolution, resolution);
}

void QtPrinter::OpenPdfDocument() {
  const std::string folder = OutputFolder();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!std::filesystem::is_directory(folder, error))
    throw PlatformError("Unable to write to " + folder);
  // The document is made in memory and written out when it is ended, where every byte of the
  // write is checked: the PDF engine reports success even when its own writes failed.
  pdfBytes_ = std::make_unique<QBuffer>();
  pdfBytes_->open(QIODevice::WriteOnly);
  pdf_ = std::make_unique<QPdfWriter>(pdfBytes_.get());
  pdf_->setResolution(kPdfResolution);
  pdf_->setPageLayout(SheetLayout());
  pdf_->setCreator(QStringLiteral("Glyphera"));
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(pdf_.get())) {
    Close();
    throw PlatformError("Unable to write to " + folder);
  }
}

void QtPrinter::OpenSystemDocument() {
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setPrinterName(ToQString(names_[static_cast<std::size_t>(index_)]));
  printer_->setPageLayout(SheetLayout());
  printer_->setDocName(QString());
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(printer_.get())) {
    Close();
    throw PlatformError(kPrinterNotValid);
  }
}

void QtPrinter::EndDoc() {
  if (!Printing()) return;
  dispatch_.ProcessMessages();
  surface_.reset();
  const bool written = painter_->end();
  dispatch_.ProcessMessages();
  std::string failed;
  if (pdf_) {
    failed = WritePdfFile(written);
  } else if (!written) {
    failed = "Unable to write to " + names_[static_cast<std::size_t>(index_)];
  }
  Close();
  if (!failed.empty()) throw PlatformError(failed);
}

std::string QtPrinter::WritePdfFile(bool made) {
  const std::string folder = OutputFolder();
  const std::string finalName = NextPdfName();
  if (!made) return "Unable to write to " + finalName;
  // The sheet is written under a name of its own and takes its final name only when all of it
  // is on the disk, so a sheet cut short never stands among the finished ones.
  const std::string partial = folder + "/.glyphera-" +
                              std::to_string(QDateTime::currentMSecsSinceEpoch()) + "-" +
                              std::to_string(++partials_) + ".pdf.part";
  const QByteArray& bytes = pdfBytes_->data();
  std::error_code error =
      WriteNewFileDurably(partial, std::string_view(bytes.constData(), bytes.size()));
  if (!error) std::filesystem::rename(partial, finalName, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    if (error == std::errc::no_space_on_device) {
      return "Unable to write to " + finalName + ": there is not enough space on the disk";
    }
    return "Unable to write to " + finalName;
  }
  SyncFolder(folder);
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
  if (printer_) printer_->abort();
  painter_->end();
  Close();
}

IDrawingSurface& QtPrinter::Canvas() {
  if (!surface_) throw PlatformError("Printer is not currently printing");
  return *surface_;
}

void QtPrinter::Close() {
  surface_.reset();
  painter_.reset();
  printer_.reset();
  pdf_.reset();
  pdfBytes_.reset();
}

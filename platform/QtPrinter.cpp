#include "platform/QtPrinter.h"

#include <QPrinterInfo>

#include "platform/IFontServices.h"
#include "platform/PlatformError.h"
#include "platform/QtText.h"

namespace {

constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";
constexpr const char* kPrinterNotValid = "Printer selected is not valid";

}  // namespace

QtPrinter::QtPrinter(IFontServices& fonts) : fonts_(fonts) {
  names_.push_back(kPdfPrinterName);
  for (const QString& name : QPrinterInfo::availablePrinterNames()) {
    names_.push_back(ToStdString(name));
  }
  const QString systemDefault = QPrinterInfo::defaultPrinterName();
  for (std::size_t i = 1; i < names_.size(); ++i) {
    if (ToQString(names_[i]) == systemDefault) index_ = static_cast<int>(i);
  }
}

int QtPrinter::PrinterIndex() {
  if (names_.empty()) throw PlatformError(kNoDefaultPrinter);
  return index_;
}

void QtPrinter::SetPrinterIndex(int index) {
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

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/IPrinter.h"

class IFontServices;

// The printers: a built-in PDF printer that is always there, then the CUPS printers Qt reports.
// The current printer starts as the system's default CUPS printer, or the PDF printer when the
// system has none.
class QtPrinter final : public IPrinter {
 public:
  static constexpr const char* kPdfPrinterName = "Glyphera PDF Printer";

  explicit QtPrinter(IFontServices& fonts);

  std::vector<std::string> PrinterNames() override { return names_; }
  int PrinterIndex() override;
  void SetPrinterIndex(int index) override;
  const std::vector<std::string>& Fonts() override;

 private:
  bool IsAvailable(int index) const;

  IFontServices& fonts_;
  std::vector<std::string> names_;
  int index_ = 0;
  std::optional<std::vector<std::string>> fontList_;
};

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/IPrinter.h"

// Printers with prepared font lists. A printer without a list cannot be opened; with no printer
// at all there is no default printer.
class FakePrinter final : public IPrinter {
 public:
  struct Printer {
    std::string Name;
    std::optional<std::vector<std::string>> Fonts;
  };

  FakePrinter() = default;
  explicit FakePrinter(std::vector<std::string> fonts);

  std::vector<std::string> PrinterNames() override;
  int PrinterIndex() override;
  void SetPrinterIndex(int index) override;
  const std::vector<std::string>& Fonts() override;

  std::vector<Printer> printers;
  int index = 0;
  int fontListBuilds = 0;

 private:
  std::optional<std::vector<std::string>> built_;
};

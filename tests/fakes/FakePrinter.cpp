#include "fakes/FakePrinter.h"

#include "platform/PlatformError.h"

FakePrinter::FakePrinter(std::vector<std::string> fonts) {
  printers.push_back({"Fake Printer", std::move(fonts)});
}

std::vector<std::string> FakePrinter::PrinterNames() {
  std::vector<std::string> names;
  for (const Printer& p : printers) names.push_back(p.Name);
  return names;
}

int FakePrinter::PrinterIndex() {
  if (printers.empty()) throw PlatformError("There is no default printer currently selected");
  return index;
}

void FakePrinter::SetPrinterIndex(int newIndex) {
  if (newIndex < 0 || newIndex >= static_cast<int>(printers.size())) {
    throw PlatformError("Printer selected is not valid");
  }
  index = newIndex;
  built_.reset();
}

const std::vector<std::string>& FakePrinter::Fonts() {
  if (!built_) {
    if (printers.empty()) throw PlatformError("There is no default printer currently selected");
    const Printer& current = printers[static_cast<std::size_t>(index)];
    if (!current.Fonts) throw PlatformError("Printer selected is not valid");
    built_ = current.Fonts;
    ++fontListBuilds;
  }
  return *built_;
}

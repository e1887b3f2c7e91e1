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

void FakePrinter::BeginDoc() {
  if (open_) throw PlatformError("Printing in progress");
  if (printers.empty()) throw PlatformError("There is no default printer currently selected");
  if (failBeginAt == static_cast<int>(documents.size()) + 1) {
    throw PlatformError("Printer selected is not valid");
  }
  Sent document;
  document.Page = std::make_unique<RecordingSurface>(dpiY);
  document.Page->dpiX = dpiX;
  documents.push_back(std::move(document));
  open_ = true;
  log.push_back("begin");
  if (onBeginDoc) onBeginDoc(static_cast<int>(documents.size()));
}

void FakePrinter::EndDoc() {
  if (!open_) return;
  if (onEndDoc) onEndDoc();
  documents.back().Ended = true;
  documents.back().Title = title_;
  open_ = false;
  log.push_back("end");
}

void FakePrinter::Abort() {
  if (!open_) return;
  documents.back().Aborted = true;
  open_ = false;
  log.push_back("abort");
}

IDrawingSurface& FakePrinter::Canvas() {
  if (!open_) throw PlatformError("Printer is not currently printing");
  return *documents.back().Page;
}

std::vector<const FakePrinter::Sent*> FakePrinter::Printed() const {
  std::vector<const Sent*> printed;
  for (const Sent& d : documents) {
    if (d.Ended) printed.push_back(&d);
  }
  return printed;
}

void FakePrinter::NewPage() {
  if (!open_) throw PlatformError("Printer is not currently printing");
  ++documents.back().Pages;
  log.push_back("page");
}

void FakePrinter::AddBookmark(int level, const std::string& title) {
  if (!open_) throw PlatformError("Printer is not currently printing");
  documents.back().Bookmarks.emplace_back(level, title, documents.back().Pages - 1);
}

void FakePrinter::AddLink(const SurfaceRect& area, int page) {
  if (!open_) throw PlatformError("Printer is not currently printing");
  documents.back().Links.emplace_back(area, documents.back().Pages - 1, page);
}

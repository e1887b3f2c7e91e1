#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/RecordingSurface.h"
#include "platform/printers/IPrinter.h"

// Printers with prepared font lists, recording every document. A printer without a list cannot
// be opened; with no printer at all there is no default printer.
class FakePrinter final : public IPrinter, public IPrintDocument {
 public:
  struct Printer {
    std::string Name;
    std::optional<std::vector<std::string>> Fonts;
  };
  // A document as it was sent.
  struct Sent {
    std::unique_ptr<RecordingSurface> Page;
    bool Ended = false;
    // The title in force when the document was sent.
    std::string Title;
    bool Aborted = false;
    int Pages = 1;
    // (level, title, page) and (area, from page, to page).
    std::vector<std::tuple<int, std::string, int>> Bookmarks;
    std::vector<std::tuple<SurfaceRect, int, int>> Links;
  };

  FakePrinter() = default;
  explicit FakePrinter(std::vector<std::string> fonts);

  std::vector<std::string> PrinterNames() override;
  int PrinterIndex() override;
  void SetPrinterIndex(int index) override;
  const std::vector<std::string>& Fonts() override;
  IPrintDocument& Document() override { return *this; }
  void BeginDoc() override;
  void EndDoc() override;
  void Abort() override;
  bool Printing() override { return open_; }
  IDrawingSurface& Canvas() override;
  void SetTitle(const std::string& title) override { title_ = title; }
  void SetDate(std::optional<std::time_t> date) override { this->date = date; }
  void NewPage() override;
  void AddBookmark(int level, const std::string& title) override;
  void AddLink(const SurfaceRect& area, int page) override;

  // The documents sent to the printer, in order (aborted ones left out).
  std::vector<const Sent*> Printed() const;

  std::vector<Printer> printers;
  int index = 0;
  int fontListBuilds = 0;
  int dpiX = 600;
  int dpiY = 600;
  // "begin", "page", "end" and "abort", in order.
  std::vector<std::string> log;
  std::vector<Sent> documents;
  // Runs after each document is begun, with its number from 1.
  std::function<void(int)> onBeginDoc;
  // Runs while a document is sent, as the window's messages are dispatched then.
  std::function<void()> onEndDoc;
  // The date given for the documents, if any.
  std::optional<std::optional<std::time_t>> date;
  // BeginDoc of this document (counted from 1) fails as a printer that went away does.
  int failBeginAt = 0;

 private:
  std::optional<std::vector<std::string>> built_;
  bool open_ = false;
  std::string title_;
};

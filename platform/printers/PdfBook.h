#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/printers/IPrintDocument.h"
#include "platform/printers/PdfNavigation.h"

class DeferredPageSurface;
class PdfInMemory;

// A printer that puts the pages of every document it is given, one after another, into parts of
// a single PDF book, each a whole PDF handed on as it is finished, so that a book of thousands of
// pages is never held whole. Its page, margins and resolution are the PDF printer's. The parts
// carry no moment of their own making: the date given, or none, so that the same pages give the
// same bytes. Its pages, and those its outline and links name, count from 0 at its own first.
// Every part carries the book's title: the titles of the documents printed on it would name only
// the first of them.
class PdfBook final : public IPrintDocument {
 public:
  // Takes a finished part; false when it cannot.
  using PartSink = std::function<bool(std::string part)>;

  // paper: "A4" or "Letter".
  PdfBook(PartSink sink, const std::string& title, const std::string& paper,
          std::optional<std::time_t> date);
  ~PdfBook() override;

  void BeginDoc() override;
  // Throws PlatformError when the part of the book it ends cannot be made or taken.
  void EndDoc() override;
  // The book cannot take back the parts it has handed on: it is then of no use, and Finish says
  // so.
  void Abort() override;
  bool Printing() override { return page_ != nullptr; }
  IDrawingSurface& Canvas() override;
  // A document's title is not the book's.
  void SetTitle(const std::string&) override {}
  void SetDate(std::optional<std::time_t> date) override { date_ = date; }
  void NewPage() override;
  void AddBookmark(int level, const std::string& title) override;
  void AddLink(const SurfaceRect& area, int page) override;

  // Hands on the last part. The cause of a failure: a part not taken (std::errc::io_error) or a
  // book aborted (std::errc::operation_canceled).
  std::error_code Finish();
  const std::vector<PdfNavigation::Bookmark>& Bookmarks() const { return bookmarks_; }
  const std::vector<PdfNavigation::Link>& Links() const { return links_; }

 private:
  // Pages a part of the book holds before it is joined to the book.
  static constexpr int kPartPages = 50;

  IDrawingSurface& BeginPage();
  // Ends the part being made and hands it on.
  void EndPart();
  // The open page, begun now if it was not, counted from 0 over the book.
  int OpenPage();
  void Close();

  PartSink sink_;
  // Pages of the parts handed on.
  int pagesHanded_ = 0;
  std::string paper_;
  std::optional<std::time_t> date_;
  // The part being made.
  std::unique_ptr<PdfInMemory> part_;
  std::unique_ptr<DeferredPageSurface> page_;
  std::string title_;
  int partPages_ = 0;
  // The book's page the open document began on.
  int documentStart_ = 0;
  std::vector<PdfNavigation::Bookmark> bookmarks_;
  std::vector<PdfNavigation::Link> links_;
  bool aborted_ = false;
};

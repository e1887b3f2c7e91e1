#pragma once

#include <string>
#include <vector>

class IDrawingSurface;
struct SurfaceRect;

// The printer object: the list of printers, the current one, and its font list.
class IPrinter {
 public:
  virtual ~IPrinter() = default;

  virtual std::vector<std::string> PrinterNames() = 0;

  // The index of the current printer in PrinterNames(). Throws PlatformError
  // "There is no default printer currently selected" when there is none.
  virtual int PrinterIndex() = 0;

  // Selects a printer, even the one already selected; either way its font list is dropped and
  // fetched afresh on the next request. Throws "Printer selected is not valid" for a bad index.
  virtual void SetPrinterIndex(int index) = 0;

  // The current printer's face names, built on first request: one per typeface, unsorted,
  // duplicates kept. Throws PlatformError when there is no printer or it cannot be opened.
  virtual const std::vector<std::string>& Fonts() = 0;

  // Documents: every printed sheet is a document of its own, begun with its one page.
  // Throws "Printing in progress" when a document is already open.
  virtual void BeginDoc() = 0;
  // Ends the page and the document and sends it to the printer. Pending window messages are
  // dispatched while it is sent, so that a Cancel button stays live.
  virtual void EndDoc() = 0;
  // Discards the open document.
  virtual void Abort() = 0;
  virtual bool Printing() = 0;
  // The open document's page, in device pixels from the top-left of the printable area.
  virtual IDrawingSurface& Canvas() = 0;
  // The name of the open document, while nothing is drawn on it yet, and of the ones after it;
  // a print queue lists the job by it, and a PDF file carries it as its title.
  virtual void SetTitle(const std::string& title) = 0;

  // A document of more than one page: ends the open page and begins the next of the same
  // document, on the same canvas.
  virtual void NewPage() = 0;
  // An entry of the document's outline pointing at the open page: level 0 heads the entries of
  // level 1 that follow it.
  virtual void AddBookmark(int level, const std::string& title) = 0;
  // A link on the open page, in device pixels as the canvas, to a page of the same document
  // counted from 0 (one drawn later too).
  virtual void AddLink(const SurfaceRect& area, int page) = 0;
};

#pragma once

#include <ctime>
#include <optional>
#include <string>

class IDrawingSurface;
struct SurfaceRect;

// The document being printed: its pages, their surface, its title, date and navigation. Every
// printed sheet is a document of its own, begun with its one page; a book is one document of
// many pages.
class IPrintDocument {
 public:
  virtual ~IPrintDocument() = default;

  // Throws "Printing in progress" when a document is already open.
  virtual void BeginDoc() = 0;
  // Ends the page and the document and sends it on. Pending window messages may be dispatched
  // while it is sent, so that a Cancel button stays live.
  virtual void EndDoc() = 0;
  // Discards the open document.
  virtual void Abort() = 0;
  virtual bool Printing() = 0;
  // The open document's page, in device pixels from the top-left of the printable area.
  virtual IDrawingSurface& Canvas() = 0;
  // The name of the open document, while nothing is drawn on it yet, and of the ones after it;
  // a print queue lists the job by it, and a PDF file carries it as its title.
  virtual void SetTitle(const std::string& title) = 0;
  // The date the documents begun from now on carry instead of the moment they are made, or
  // none at all, so that the same sheets give the same bytes.
  virtual void SetDate(std::optional<std::time_t> date) = 0;

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

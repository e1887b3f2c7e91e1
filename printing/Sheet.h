#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "printing/SheetContext.h"

class IDrawingSurface;

// The kinds of sheet a print job makes, in the order a job prints them.
enum class SheetKind { SampleText, CharacterChart, FullPage, TextParagraphs, Coverage };

// How a kind of sheet puts faces on pages.
enum class SheetPaging {
  FacesPerPage,  // blocks of many faces down a page, a new page when one is full
  PagePerFace,   // one page of its own for each face
  PagesPerFace,  // a document of many pages for each face
};

// One kind of sheet: what it is called where it is named, how it pages, and how it draws a face.
// Every kind is one class and one row of Sheets().
class Sheet {
 public:
  virtual ~Sheet() = default;

  virtual SheetKind Kind() const = 0;
  // Its name in titles and menus: "Character Chart".
  virtual const char* Name() const = 0;
  // The progress dialog's counter of the sheets printed so far, without the number.
  virtual const char* CounterText() const = 0;
  // Its name on the command line: "chart".
  virtual const char* CommandName() const = 0;
  virtual SheetPaging Paging() const = 0;
  // Faces one piece of a book takes: about a part's worth of pages (a piece is printed on a book
  // of its own, here or in a worker); 0 for all of them in one piece.
  virtual std::size_t FacesPerPiece() const = 0;

  // For a kind of one page per face: what every face's page shares, made once before the loop
  // (the Full Page's lines); then each face's page.
  virtual SheetLines Prepare(const SheetContext& context) const;
  virtual void Draw(IDrawingSurface& surface, const SheetContext& context,
                    const SheetLines& prepared, const std::string& face) const;
};

// Every kind, in the order a job prints them.
const std::vector<const Sheet*>& Sheets();
const Sheet& SheetFor(SheetKind kind);
// The kind named so on the command line; nullptr for none.
const Sheet* SheetNamed(const std::string& commandName);

#pragma once

#include "printing/Sheet.h"

// A face's Unicode coverage book (PrintCoverage): an index and a chart of every block, many pages a
// face, so a book's piece takes one.
class CoverageBookSheet final : public Sheet {
 public:
  SheetKind Kind() const override { return SheetKind::Coverage; }
  const char* Name() const override { return "Coverage"; }
  const char* CounterText() const override { return "Coverage Printed: "; }
  const char* CommandName() const override { return "coverage"; }
  SheetPaging Paging() const override { return SheetPaging::PagesPerFace; }
  std::size_t FacesPerPiece() const override { return 1; }
};

#pragma once

#include "printing/Sheet.h"

// Blocks of many faces a page (SampleTextPrintout); a book takes them all in one piece, since
// its pages fill with blocks of several faces.
class SampleTextSheet final : public Sheet {
 public:
  SheetKind Kind() const override { return SheetKind::SampleText; }
  const char* Name() const override { return "Sample Text"; }
  const char* CounterText() const override { return "Samples Printed: "; }
  const char* CommandName() const override { return "sample"; }
  SheetPaging Paging() const override { return SheetPaging::FacesPerPage; }
  std::size_t FacesPerPiece() const override { return 0; }
};

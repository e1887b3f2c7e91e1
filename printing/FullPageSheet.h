#pragma once

#include "printing/Sheet.h"

// A face's styles and sizes filling a page, a page a face.
class FullPageSheet final : public Sheet {
 public:
  SheetKind Kind() const override { return SheetKind::FullPage; }
  const char* Name() const override { return "Full Page Sample"; }
  const char* CounterText() const override { return "Full Pages Printed: "; }
  const char* CommandName() const override { return "full"; }
  SheetPaging Paging() const override { return SheetPaging::PagePerFace; }
  std::size_t FacesPerPiece() const override { return 50; }
  SheetLines Prepare(const SheetContext& context) const override;
  void Draw(IDrawingSurface& surface, const SheetContext& context, const SheetLines& prepared,
            const std::string& face) const override;
};

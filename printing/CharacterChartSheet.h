#pragma once

#include "printing/Sheet.h"

// Codes 33 to 255 of a face with their labels, a page a face.
class CharacterChartSheet final : public Sheet {
 public:
  SheetKind Kind() const override { return SheetKind::CharacterChart; }
  const char* Name() const override { return "Character Chart"; }
  const char* CounterText() const override { return "Character Charts Printed: "; }
  const char* CommandName() const override { return "chart"; }
  SheetPaging Paging() const override { return SheetPaging::PagePerFace; }
  std::size_t FacesPerPiece() const override { return 50; }
  void Draw(IDrawingSurface& surface, const SheetContext& context, const SheetLines& prepared,
            const std::string& face) const override;
};

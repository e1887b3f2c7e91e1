#pragma once

#include "printing/Sheet.h"

// A paragraph of text at each checked size, a page a face; its pages fill slowly, so a book's piece
// takes fewer faces.
class TextParagraphsSheet final : public Sheet {
 public:
  SheetKind Kind() const override { return SheetKind::TextParagraphs; }
  const char* Name() const override { return "Text Paragraphs"; }
  const char* CounterText() const override { return "Text Paragraphs Printed: "; }
  const char* CommandName() const override { return "paragraphs"; }
  SheetPaging Paging() const override { return SheetPaging::PagePerFace; }
  std::size_t FacesPerPiece() const override { return 10; }
  void Draw(IDrawingSurface& surface, const SheetContext& context, const SheetLines& prepared,
            const std::string& face) const override;
};

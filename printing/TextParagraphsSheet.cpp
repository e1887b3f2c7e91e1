#include "printing/TextParagraphsSheet.h"

#include "printing/SheetLayouts.h"

void TextParagraphsSheet::Draw(IDrawingSurface& surface, const SheetContext& context,
                               const SheetLines&, const std::string& face) const {
  PrintTextParagraphs(surface, context, face);
}

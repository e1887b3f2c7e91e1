#include "printing/FullPageSheet.h"

#include "printing/SheetLayouts.h"

SheetLines FullPageSheet::Prepare(const SheetContext& context) const {
  return PrepareFullPage(context);
}

void FullPageSheet::Draw(IDrawingSurface& surface, const SheetContext& context,
                         const SheetLines& prepared, const std::string& face) const {
  PrintFullPage(surface, context, prepared, face);
}

#include "printing/CharacterChartSheet.h"

#include "printing/SheetLayouts.h"

void CharacterChartSheet::Draw(IDrawingSurface& surface, const SheetContext& context,
                               const SheetLines&, const std::string& face) const {
  PrintCharacterChart(surface, context, face);
}

#include "printing/Sheet.h"

#include <algorithm>
#include <stdexcept>

#include "printing/CharacterChartSheet.h"
#include "printing/CoverageBookSheet.h"
#include "printing/FullPageSheet.h"
#include "printing/SampleTextSheet.h"
#include "printing/TextParagraphsSheet.h"

SheetLines Sheet::Prepare(const SheetContext&) const {
  return {};
}

void Sheet::Draw(IDrawingSurface&, const SheetContext&, const SheetLines&,
                 const std::string&) const {
  throw std::logic_error(std::string(Name()) + " does not draw a face's page alone");
}

const std::vector<const Sheet*>& Sheets() {
  static const SampleTextSheet sample;
  static const CharacterChartSheet chart;
  static const FullPageSheet full;
  static const TextParagraphsSheet paragraphs;
  static const CoverageBookSheet coverage;
  static const std::vector<const Sheet*> all = {&sample, &chart, &full, &paragraphs, &coverage};
  return all;
}

const Sheet& SheetFor(SheetKind kind) {
  for (const Sheet* sheet : Sheets()) {
    if (sheet->Kind() == kind) return *sheet;
  }
  throw std::logic_error("a sheet kind without its row");
}

const Sheet* SheetNamed(const std::string& commandName) {
  const auto& all = Sheets();
  const auto found = std::find_if(all.begin(), all.end(), [&](const Sheet* sheet) {
    return commandName == sheet->CommandName();
  });
  return found == all.end() ? nullptr : *found;
}

#include "printing/FontSheets.h"

#include "printing/SheetLayouts.h"

namespace {

int IndexOf(SheetKind kind) {
  return static_cast<int>(kind);
}

}  // namespace

std::string SheetTitle(SheetKind kind, const std::string& face) {
  static constexpr const char* kSheets[] = {"Sample Text", "Character Chart", "Full Page Sample",
                                            "Text Paragraphs", "Coverage"};
  std::string title = std::string("Glyphera - ") + kSheets[IndexOf(kind)];
  if (!face.empty()) title += " - " + face;
  return title;
}

const char* SheetCounterText(SheetKind kind) {
  static constexpr const char* kTexts[] = {
      "Samples Printed: ", "Character Charts Printed: ", "Full Pages Printed: ",
      "Text Paragraphs Printed: ", "Coverage Printed: "};
  return kTexts[IndexOf(kind)];
}

void DrawFontSheet(SheetKind kind, IDrawingSurface& surface, const SheetContext& context,
                   const SheetLines& lines, const std::string& face) {
  switch (kind) {
    case SheetKind::SampleText:  // many fonts to a page: SampleTextPrintout
    case SheetKind::Coverage:    // many pages to a font: PrintCoverage
      break;
    case SheetKind::CharacterChart:
      PrintCharacterChart(surface, context, face);
      break;
    case SheetKind::FullPage:
      PrintFullPage(surface, context, lines, face);
      break;
    case SheetKind::TextParagraphs:
      PrintTextParagraphs(surface, context, face);
      break;
  }
}

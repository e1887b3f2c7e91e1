#include "printing/FontSheets.h"

#include "printing/SheetLayouts.h"

namespace {

int IndexOf(SheetKind kind) {
  return static_cast<int>(kind);
}

const char* SheetName(SheetKind kind) {
  static constexpr const char* kSheets[] = {"Sample Text", "Character Chart", "Full Page Sample",
                                            "Text Paragraphs", "Coverage"};
  return kSheets[IndexOf(kind)];
}

}  // namespace

std::string SheetTitle(SheetKind kind, const std::string& face) {
  std::string title = std::string("Glyphera - ") + SheetName(kind);
  if (!face.empty()) title += " - " + face;
  return title;
}

std::string JobTitle(const std::vector<SheetKind>& kinds, std::size_t faces,
                     const std::string& onlyFace) {
  std::string title = "Glyphera - ";
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    title += std::string(i == 0 ? "" : ", ") + SheetName(kinds[i]);
  }
  return title + " - " + (faces == 1 ? onlyFace : std::to_string(faces) + " faces");
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

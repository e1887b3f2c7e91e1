#include <array>
#include <string>

#include "platform/drawing/IDrawingSurface.h"
#include "printing/SheetCharacters.h"
#include "printing/SheetLayouts.h"
#include "printing/SheetUnits.h"

namespace {

struct SizeLinePlace {
  int Points;
  double Top;  // inches, each placed on its own rather than stacked
};

constexpr std::array<SizeLinePlace, 12> kSizeLines = {{{8, 0.7},
                                                       {9, 0.87},
                                                       {10, 1.05},
                                                       {11, 1.25},
                                                       {12, 1.47},
                                                       {14, 1.7},
                                                       {16, 1.95},
                                                       {18, 2.25},
                                                       {24, 2.57},
                                                       {36, 3.0},
                                                       {48, 3.6},
                                                       {60, 4.4}}};

struct StyleSection {
  const char* Name;
  bool Bold;
  bool Italic;
};

constexpr std::array<StyleSection, 4> kSections = {{{"Normal", false, false},
                                                    {"Bold", true, false},
                                                    {"Italic", false, true},
                                                    {"Bold Italic", true, true}}};

struct ExtendedLine {
  int First;
  int Last;
  double StepBefore;  // inches
};

constexpr std::array<ExtendedLine, 4> kExtendedLines = {
    {{127, 158, 0.2}, {159, 190, 0.23}, {191, 222, 0.23}, {223, 255, 0.23}}};

std::string SpacedCharacters(int first, int last, bool symbolFace) {
  std::string text;
  for (int code = first; code <= last; ++code) text += FaceCharacter(code, symbolFace) + " ";
  return text;
}

}  // namespace

SheetLines PrepareFullPage(const SheetContext& context) {
  return LinesWithSample(context);
}

void PrintFullPage(IDrawingSurface& surface, const SheetContext& context, const SheetLines& lines,
                   const std::string& face) {
  const SheetUnits units(context.Metrics);
  DrawFontHeading(surface, context, face + context.StyleSuffix);
  const int x = units.X(0.6);

  // The size ladder shows the face as it is; the style sections below show its styles.
  for (const SizeLinePlace& place : kSizeLines) {
    surface.SetFont({face, place.Points, false, false});
    surface.TextOut(x, units.Y(place.Top), context.Texts.SizeLine(place.Points));
  }

  int y = units.Y(5.5);
  for (const StyleSection& section : kSections) {
    surface.SetFont({context.Texts.HeadingFont(), 11, false, false});
    surface.TextOut(x, y, section.Name);
    y += units.Y(0.17);
    surface.SetFont({face, 12, section.Bold, section.Italic});
    for (const std::string& line : lines) {
      surface.TextOut(x, y, line);
      y += units.Y(0.2);
    }
    y += units.Y(0.1);
  }

  surface.SetFont({context.Texts.HeadingFont(), 11, false, false});
  surface.TextOut(x, y, "Extended Characters");
  surface.SetFont({face, 12, false, false});
  for (const ExtendedLine& line : kExtendedLines) {
    y += units.Y(line.StepBefore);
    surface.TextOut(x, y, SpacedCharacters(line.First, line.Last, surface.SymbolFont()));
  }
}

#pragma once

#include <string>
#include <vector>

#include "printing/SheetContext.h"

class IDrawingSurface;

// The kinds of sheet a print job makes, in the order a job prints them.
enum class SheetKind { SampleText, CharacterChart, FullPage, TextParagraphs, Coverage };

// The job's name in a print queue and a PDF's title: the program, the sheet and, for a sheet of
// one font, the font.
std::string SheetTitle(SheetKind kind, const std::string& face);

// The title of one document that holds a whole job: the program, its sheets, and its face when
// it has one, else how many ("Glyphera - Sample Text, Character Chart - 46 faces").
std::string JobTitle(const std::vector<SheetKind>& kinds, std::size_t faces,
                     const std::string& onlyFace);

// The progress dialog's counter of the sheets of this kind printed so far, without the number.
const char* SheetCounterText(SheetKind kind);

// One font's page of a kind that gives every font one page of its own (Character Chart, Full
// Page, Text Paragraphs); lines are the Full Page's, from PrepareFullPage.
void DrawFontSheet(SheetKind kind, IDrawingSurface& surface, const SheetContext& context,
                   const SheetLines& lines, const std::string& face);

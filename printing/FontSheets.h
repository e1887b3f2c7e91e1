#pragma once

#include <string>
#include <vector>

#include "printing/Sheet.h"
#include "printing/SheetContext.h"

class IDrawingSurface;

// The job's name in a print queue and a PDF's title: the program, the sheet and, for a sheet of
// one font, the font.
std::string SheetTitle(SheetKind kind, const std::string& face);

// The title of one document that holds a whole job: the program, its sheets, and its face when
// it has one, else how many ("Glyphera - Sample Text, Character Chart - 46 faces").
std::string JobTitle(const std::vector<SheetKind>& kinds, std::size_t faces,
                     const std::string& onlyFace);

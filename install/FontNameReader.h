#pragma once

#include <optional>
#include <string>
#include <vector>

#include "install/FontFileEntry.h"

// Reads the faces of one font file from their naming tables: for each face the first family name
// and the first full name behind it, with a few small reads and never the rest of the file. A
// TrueType or OpenType file holds one face, a collection one per font in it, in order. A face
// without a full name is named from its family and style, as fontconfig names it. A face whose
// font has no "name" table or no family name, is shorter than it announces, or whose full name
// trims to fewer than 2 characters is left out; a file that cannot be opened gives none.
std::vector<FontFace> ReadFontFaces(const std::string& directory, const std::string& fileName);

// The file's first face, if it has one.
std::optional<FontFace> ReadFontNames(const std::string& directory, const std::string& fileName);

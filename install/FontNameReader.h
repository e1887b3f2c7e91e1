#pragma once

#include <optional>
#include <string>

#include "install/FontFileEntry.h"

// Reads the face of one TrueType file from its naming table: the first family name and the first
// full name behind it, with a few small reads and never the rest of the file. A file that cannot
// be opened, has no "name" table, is shorter than it announces, or whose full name trims to fewer
// than 2 characters gives no face.
std::optional<FontFace> ReadFontNames(const std::string& directory, const std::string& fileName);

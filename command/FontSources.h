#pragma once

#include <optional>
#include <string>
#include <vector>

#include "install/FontFileEntry.h"

class IFontFileCheck;
class IFontServices;
struct PrintOptions;

// One face to print: an installed family as the font list names it, or a face read from a file.
struct SourceFace {
  // The installed family, or the file face's full name: what its sheets are headed with.
  std::string Name;
  // For a face read from a file: the face, and the file's full path.
  std::optional<FontFace> File;
  std::string Path;
};

// The faces the FONT arguments name, in order, and what could not be printed, one line each
// ("<argument>: <reason>").
struct FontSources {
  std::vector<SourceFace> Faces;
  std::vector<std::string> Failures;
};

// Every installed family, in the order of the window's font list.
std::vector<std::string> ListedFamilies(IFontServices& fonts);

// Resolves --all and the FONT arguments. A folder gives its font files in name order (with its
// subfolders after them when recursive), a file each face of it that opens as a font. Links to
// files are followed, links to folders only when named: a folder's links to folders are left,
// as find(1) leaves them, so that a walk never loops or leaves the tree it was given.
FontSources ResolveFontSources(const PrintOptions& options, IFontServices& fonts,
                               IFontFileCheck& check);

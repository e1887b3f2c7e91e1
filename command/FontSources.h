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

// What one FONT argument names, found before any font file is opened.
struct NamedSource {
  enum Kind { Family, File, Failure };
  Kind What = Failure;
  // The family as the font list names it; the file as a failure names it (the argument, or the
  // folder's path and the file's name); or the whole failure, "<argument>: <reason>".
  std::string Name;
  std::string Path;  // a file's full path
};

// Every installed family, in the order of the window's font list.
std::vector<std::string> ListedFamilies(IFontServices& fonts);

// Resolves --all and the FONT arguments without opening a font file. A folder gives its font
// files in name order (with its subfolders after them when recursive). Links to files are
// followed, links to folders only when named: a folder's links to folders are left, as find(1)
// leaves them, so that a walk never loops or leaves the tree it was given. A family is an
// installed one or, given the list of a queue that prints the job, one its printer holds itself,
// printed in its clone as the window prints it; --all gives the installed ones.
std::vector<NamedSource> ListFontSources(const PrintOptions& options, IFontServices& fonts,
                                         const std::vector<std::string>* queueFamilies = nullptr);

// The faces of what ListFontSources named: a file gives each face of it that opens as a font.
FontSources ReadFontSources(const std::vector<NamedSource>& named, IFontFileCheck& check);

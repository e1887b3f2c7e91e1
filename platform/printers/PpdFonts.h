#pragma once

#include <string>
#include <string_view>
#include <vector>

// The family of a printer-resident font's PostScript name: the name without its trailing style
// parts, with the hyphens between the words of the family made blanks, the way fontconfig
// names the clone it substitutes ("Helvetica-Narrow-BoldOblique" is "Helvetica Narrow"), its
// bidirectional controls shown as codes ("<U+202E>"). Empty for a name that has no family to
// list: blank, not UTF-8, with control characters, longer than a PostScript name may be (63
// characters), or nothing but style words ("Bold", "Bold-Italic").
std::string ResidentFamilyOf(std::string_view postScriptName);

// The families of the fonts a PostScript Printer Description lists on its "*Font" lines, in
// the order of their first face, each once.
std::vector<std::string> ResidentFamilies(std::string_view ppd);

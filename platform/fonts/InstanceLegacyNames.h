#pragma once

#include <string>

// The legacy family and style a named instance of a variable font stands for. A variable font
// is one file for a whole typographic family, so each of its named instances gets the names the
// same face would have as a static font: the instance's style words that are not regular, bold
// or italic join the family ("Inter" + "Semi Bold Italic" is the family "Inter Semi Bold", style
// "Italic"), so that every legacy family holds at most the four styles a logical font asks for.
struct InstanceLegacyNames {
  std::string Family;  // e.g. "Inter Semi Bold"
  std::string Style;   // "Regular", "Bold", "Italic" or "Bold Italic"
};

// `family` is the font's typographic family, `style` the instance's own name; `weightClass`
// (100..900) and `italic` tell which of the style's last words are its weight and slant.
InstanceLegacyNames LegacyNamesOfInstance(const std::string& family, const std::string& style,
                                          int weightClass, bool italic);

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/fonts/FontStyleRecord.h"

// The Font Map panel's size for a face of the symbol character set, and for any other.
inline constexpr int kSymbolPanelPoints = 20;
inline constexpr int kTextPanelPoints = 30;

// What the Main page says about a family from its enumerated faces.
struct FontStylesSummary {
  // "Styles: " and the accepted style names in enumeration order, or empty when none survives.
  std::string StylesCaption;
  // "TrueType", "Adobe Type 1" or "Raster", decided by the last face that fits one of them;
  // nothing when no face does.
  std::optional<std::string> FontType;
  // 20 for a symbol character set, else 30; nothing when no face was enumerated.
  std::optional<int> CharPanelPoints;
};

// A style name is shown only if every character is a blank or lies from "A" to "z".
bool IsAcceptedStyleName(const std::string& style);

// The kind of one face, from its text-metric fields.
std::optional<std::string> ClassifyFace(const FontStyleRecord& face);

FontStylesSummary SummariseFontStyles(const std::vector<FontStyleRecord>& faces);

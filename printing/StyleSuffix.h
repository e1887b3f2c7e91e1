#pragma once

#include <string>

// The words a job's page headings add to a font's name for the Bold and Italic options.
inline std::string StyleSuffixFor(bool bold, bool italic) {
  if (bold && italic) return " - Bold Italic";
  if (bold) return " - Bold";
  if (italic) return " - Italic";
  return "";
}

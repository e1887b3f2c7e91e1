#pragma once

#include <string>

// The installed family that draws a printer's resident PostScript family: the metric-compatible
// clone of it, when it is one of the 35 standard PostScript fonts; empty for any other family.
// Names match without regard to case, blanks or hyphens ("Helvetica Narrow", "Helvetica-Narrow").
std::string ResidentFontClone(const std::string& family);

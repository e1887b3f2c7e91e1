#pragma once

#include <cstdint>
#include <string>

// Text-metric bits that classify a face, with the values the original font services used.
inline constexpr std::uint8_t TMPF_VECTOR = 0x02;
inline constexpr std::uint8_t TMPF_TRUETYPE = 0x04;
inline constexpr std::uint8_t ANSI_CHARSET = 0;
inline constexpr std::uint8_t SYMBOL_CHARSET = 2;
inline constexpr std::uint8_t OEM_CHARSET = 255;

// One face of a family as the style enumeration reports it: the names of the logical font and
// the text-metric fields that the program reads.
struct FontStyleRecord {
  std::string elfFullName;  // e.g. "DejaVu Sans Bold Oblique"
  std::string elfStyle;     // e.g. "Bold Oblique"
  std::string FaceName;     // the family
  int Weight = 400;         // 100..900, as a logical font weighs it
  bool Italic = false;
  std::uint8_t tmPitchAndFamily = 0;
  std::uint8_t tmCharSet = ANSI_CHARSET;
};

#pragma once

#include <cstdint>

// The numbers of font files are big-endian; these read one from its first byte, which the caller
// has checked is within what was read.
inline std::uint16_t U16At(const unsigned char* bytes) {
  return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
}

inline std::uint32_t U32At(const unsigned char* bytes) {
  return std::uint32_t{U16At(bytes)} << 16 | U16At(bytes + 2);
}

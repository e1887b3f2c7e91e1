#pragma once

#include <string>

#include "platform/Windows1252.h"

// One single-byte character of the ANSI code page as the surface's UTF-8 text.
inline std::string CodePageCharacter(int code) {
  const char32_t c = Windows1252ToUnicode(static_cast<unsigned char>(code));
  std::string utf8;
  if (c < 0x80) {
    utf8 += static_cast<char>(c);
  } else if (c < 0x800) {
    utf8 += static_cast<char>(0xC0 | (c >> 6));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    // The code page reaches no further than the Basic Multilingual Plane.
    utf8 += static_cast<char>(0xE0 | (c >> 12));
    utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  }
  return utf8;
}

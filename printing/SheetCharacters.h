#pragma once

#include <string>

#include "platform/Windows1252.h"

// One character of the Basic Multilingual Plane, where the code page and the symbol range lie,
// as the surface's UTF-8 text.
inline std::string Utf8Character(char32_t c) {
  std::string utf8;
  if (c < 0x80) {
    utf8 += static_cast<char>(c);
  } else if (c < 0x800) {
    utf8 += static_cast<char>(0xC0 | (c >> 6));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    utf8 += static_cast<char>(0xE0 | (c >> 12));
    utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  }
  return utf8;
}

// One single-byte character of the ANSI code page.
inline std::string CodePageCharacter(int code) {
  return Utf8Character(Windows1252ToUnicode(static_cast<unsigned char>(code)));
}

// The character a face shows for a code: a symbol-encoded face keeps its own glyph for every
// code in the private range, including the codes the code page gives other characters.
inline std::string FaceCharacter(int code, bool symbolFace) {
  if (symbolFace) return Utf8Character(SymbolCodePoint(static_cast<unsigned char>(code)));
  return CodePageCharacter(code);
}

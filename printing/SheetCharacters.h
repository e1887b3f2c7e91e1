#pragma once

#include <string>

#include "platform/text/Windows1252.h"

// One character as the surface's UTF-8 text.
inline std::string Utf8Character(char32_t c) {
  std::string utf8;
  AppendUtf8(utf8, c);
  return utf8;
}

// One single-byte character of the ANSI code page.
inline std::string CodePageCharacter(int code) {
  std::string utf8;
  AppendWindows1252(utf8, static_cast<char>(code));
  return utf8;
}

// The character a face shows for a code: a symbol-encoded face keeps its own glyph for every
// code in the private range, including the codes the code page gives other characters.
inline std::string FaceCharacter(int code, bool symbolFace) {
  if (symbolFace) return Utf8Character(SymbolCodePoint(static_cast<unsigned char>(code)));
  return CodePageCharacter(code);
}

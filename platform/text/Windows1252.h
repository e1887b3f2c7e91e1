#pragma once

#include <string>

// Characters 32 to 255 are shown and printed as the Windows-1252 ("ANSI") code page gives them.
// The five codes that code page leaves undefined map to the control character of the same number.
char32_t Windows1252ToUnicode(unsigned char code);

// A symbol-encoded face is addressed through the private range, where it keeps its own glyphs.
inline constexpr char32_t SymbolCodePoint(unsigned char code) {
  return 0xF000 + code;
}

// Appends one character of the Basic Multilingual Plane, where the code page and the symbol
// range lie, as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// Appends the code page's character for one byte as UTF-8.
inline void AppendWindows1252(std::string& out, char byte) {
  AppendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(byte)));
}

#pragma once

// The font files the Preview/Install page lists, reads, previews, prints and installs, as a file
// list mask (matched without regard to case): TrueType, OpenType with CFF outlines, and the
// collections of either, and web fonts (WOFF, WOFF 2), which hold one of these packed.
inline constexpr const char* kFontFileMask = "*.ttf;*.otf;*.ttc;*.otc;*.woff;*.woff2";

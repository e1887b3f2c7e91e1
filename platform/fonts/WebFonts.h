#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Web fonts (WOFF and WOFF 2) are TrueType or OpenType fonts packed for the web: the same tables,
// compressed. Everything else in the program reads sfnt, so a web font is unpacked to the sfnt it
// holds before anything looks at its tables, and installed as that sfnt, which every program can
// open.
namespace WebFonts {

// The largest sfnt a web font is unpacked to.
inline constexpr std::size_t kLargestSfnt = std::size_t{64} << 20;

// Whether the bytes (at least the first four of a file) start a WOFF or WOFF 2 file.
bool IsWebFont(std::string_view start);

// The sfnt the web font holds; nothing when it is damaged, cut short, or unpacks to more than
// `limit` bytes.
std::optional<std::string> Decode(std::string_view bytes, std::size_t limit = kLargestSfnt);

}  // namespace WebFonts

#pragma once

#include <optional>
#include <string>

// The family name (name ID 1) a TrueType or OpenType face gives itself, in US English from the
// Windows Unicode records, else from the Macintosh Roman record of ASCII text. fontconfig keeps
// no copy of it when a typographic family equal to it but for blanks and letter case comes
// first ("Noto Sans Meetei Mayek" before "Noto Sans MeeteiMayek"), so the file is the one place
// it is still found. `faceIndex` counts the fonts of a collection; nothing for a file or face
// that holds no readable name table or no such name.
std::optional<std::string> ReadSfntFamilyName(const std::string& path, int faceIndex);

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One code point of a face's character map and the glyph it maps to.
struct MappedCode {
  char32_t CodePoint = 0;
  std::uint32_t Glyph = 0;
};

// What a face covers of Unicode: the code points of its best Unicode character map (the full
// repertoire map (3,10) or (0,4|6) before the basic plane's (3,1) or (0,3)), each to a glyph
// other than the missing glyph, with the names a coverage book is headed by. Sfnt is the face
// alone as an sfnt (a collection's face taken out of it, a web font unpacked), so that its
// glyphs can be drawn from it by index. A symbol font is charted by its symbol map.
struct FaceCoverage {
  std::string File;
  int FaceIndex = 0;
  std::string FullName;        // name ID 4
  std::string PostScriptName;  // name ID 6
  std::string Version;         // name ID 5
  std::string Licence;         // name ID 13
  int GlyphCount = 0;
  int UnitsPerEm = 0;
  int Ascender = 0;               // in font units, above the baseline
  std::vector<MappedCode> Codes;  // in code point order
  // The face has no Unicode map: Codes are those of its symbol map (3,0), in the Private Use
  // Area (U+F020-F0FF), as the system maps a symbol font's characters.
  bool SymbolEncoded = false;
  std::shared_ptr<const std::string> Sfnt;
};

// Reads the face of the file. Throws PlatformError naming the file when it cannot be read or is
// no font FreeType opens.
FaceCoverage ReadFaceCoverage(const std::string& file, int faceIndex);

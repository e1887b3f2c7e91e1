#pragma once

#include <string>

// Whether a file holds a face that FreeType, which fontconfig lists fonts with, can open. A file
// that only looks like a font (a naming table and little else, say) would be copied and listed as
// installed, yet no program would ever find it.
class IFontFileCheck {
 public:
  virtual ~IFontFileCheck() = default;
  // True when face faceIndex (0 for the first) of the file at path opens as a font.
  virtual bool OpensAsFont(const std::string& path, int faceIndex) = 0;
};

#pragma once

#include <string>

#include "install/FontFileEntry.h"
#include "platform/drawing/IDrawingSurface.h"

class IFontServices;

// Whether a face is bold and whether it is slanted, as a preview shows and prints it.
struct FaceStyle {
  bool Bold = false;
  bool Italic = false;
};

// The style of a face among the faces the font services report for name (a family, or a face's
// full name): the face whose full name is fullName decides, or, when none has it, the last face
// reported. Neither bold nor italic when none is reported.
FaceStyle FindFaceStyle(IFontServices& fonts, const std::string& name, const std::string& fullName);

// The font a face read from a file is drawn in at the size, once its file is in the font table.
// A named instance is drawn by its full name, since its family would give every instance the
// font's default one; any other face by its family, in its own style.
SurfaceFont FileFaceFont(IFontServices& fonts, const FontFace& face, int points);

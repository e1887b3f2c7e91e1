#pragma once

#include <QFont>
#include <optional>
#include <string>

// A font that shows one face only: a character the face lacks is drawn as the face's own missing
// glyph, never borrowed from another font. The name is a legacy family (of up to four styles,
// "DejaVu Sans Condensed") or a face's full name; bold and italic pick the family's face for
// them, and what the family lacks is added (emboldened, slanted). A standard PostScript family
// a printer holds is drawn in its installed clone, the same way. A name no face has is left to
// the toolkit's substitution.
QFont FaceFont(const std::string& faceName, double points, bool bold = false, bool italic = false);

// Gives a font the face for the name and style, keeping its size.
void SetFace(QFont& font, const std::string& faceName, bool bold, bool italic);

// What a face drawn for a name and style needs beyond what the toolkit's font carries: a device
// that draws only the font's own outlines (PDF) must add the emboldening and slant itself, and a
// symbol-encoded face is addressed through the private range. A face of bitmaps only has no
// outlines for such a device to hold, so it draws the face's strikes from its file.
struct FaceTraits {
  bool AddedBold = false;
  bool AddedItalic = false;
  bool Symbol = false;
  std::string BitmapFile;  // empty for a face with outlines
  int BitmapIndex = 0;
};
FaceTraits TraitsOfFace(const std::string& faceName, bool bold, bool italic);

// The file and face index of the face drawn for a name and style; nothing for a name no face has.
struct FaceLocation {
  std::string File;
  int Index = 0;
};
std::optional<FaceLocation> FileOfFace(const std::string& faceName, bool bold, bool italic);

// Faces are chosen once per name and style; fonts added, removed or installed change them.
void ForgetFaceChoices();

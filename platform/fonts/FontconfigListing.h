#pragma once

#include <string>
#include <vector>

// One face as fontconfig lists it, with both of its family names: the typographic family that
// fontconfig (and the toolkit) names first, and the legacy family of at most four styles that a
// font gives for regular, bold, italic and bold italic, which is what the program lists.
struct ListedFace {
  std::string Family;        // fontconfig's first family name, e.g. "DejaVu Sans"
  std::string Style;         // fontconfig's first style name, e.g. "Condensed Bold"
  std::string LegacyFamily;  // e.g. "DejaVu Sans Condensed"
  std::string LegacyStyle;   // e.g. "Bold"
  std::string FullName;      // e.g. "DejaVu Sans Condensed Bold"
  double Weight = 80;        // fontconfig's scale, regular at 80
  int WeightClass = 400;     // the same on the 100..900 scale of a logical font
  double Slant = 0;          // roman at 0
  bool Italic = false;       // italic or oblique
  double Width = 100;        // normal at 100
  std::string Format;        // "TrueType", "CFF", "Type 1", "PCF" ...
  bool Outline = true;       // false for a face of bitmaps only, whatever its container
  std::string File;
  int Index = 0;
};

// The legacy family of every face fontconfig knows, in its enumeration order, duplicates kept.
std::vector<std::string> LegacyFamilyOfEachFace();

// Whether a face fontconfig lists names the family first (as the toolkit names its families),
// without regard to case. Unlike asking the toolkit, no alias is resolved, so the answer costs a
// lookup once the families are known.
bool IsInstalledFamily(const std::string& family);

// The faces whose legacy family is the name, compared as fontconfig compares family names
// (without regard to case or blanks).
std::vector<ListedFace> FacesOfLegacyFamily(const std::string& family);

// The faces whose full name is the name: a full name selects that one face.
std::vector<ListedFace> FacesWithFullName(const std::string& fullName);

// The family of the face fontconfig substitutes for a name it has no face of (an alias such as
// "Sans Serif", or a font that is not installed); empty when it has none.
std::string SubstituteFamily(const std::string& name);

// fontconfig's own case folding, so that "the same name" means what it means to fontconfig.
int CompareIgnoringCase(const std::string& a, const std::string& b);

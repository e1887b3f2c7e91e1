#pragma once

#include <string>
#include <string_view>
#include <vector>

struct _FcFontSet;

// The faces of the font files the program added for the moment (previews), kept apart from
// fontconfig's configuration: fontconfig can forget its application fonts only all at once,
// which made every removal parse every file still added. Here a file's faces are read once, from
// the same copy in memory the toolkit draws from, and a removal drops just that file's faces.
namespace AddedFaces {

// Reads the faces of the file's bytes under the file's name; a file that is no font adds none.
void Add(const std::string& path, std::string_view bytes);
void Remove(const std::string& path);

// A named instance of a variable font among the file's faces, as fontconfig describes it: its
// first family and style, its index (the instance in the bits above the face's), and its
// weight, slant and width on fontconfig's scales.
struct NamedInstance {
  std::string Family;
  std::string Style;
  int Index = 0;
  int Weight = 0;
  int Slant = 0;
  int Width = 0;
};
std::vector<NamedInstance> NamedInstances(const std::string& path);

// Every added face, as a font set for fontconfig's listing; the caller destroys it.
_FcFontSet* Snapshot();

// Changes whenever a file's faces are added or removed, so a listing made from a snapshot can
// tell whether it still holds.
unsigned long Generation();

}  // namespace AddedFaces

#pragma once

#include <string>
#include <string_view>

struct _FcFontSet;

// The faces of the font files the program added for the moment (previews), kept apart from
// fontconfig's configuration: fontconfig can forget its application fonts only all at once,
// which made every removal parse every file still added. Here a file's faces are read once, from
// the same copy in memory the toolkit draws from, and a removal drops just that file's faces.
namespace AddedFaces {

// Reads the faces of the file's bytes under the file's name; a file that is no font adds none.
void Add(const std::string& path, std::string_view bytes);
void Remove(const std::string& path);

// Whether the file's faces include a variable font's named instances.
bool HasNamedInstances(const std::string& path);

// Every added face, as a font set for fontconfig's listing; the caller destroys it.
_FcFontSet* Snapshot();

// Changes whenever a file's faces are added or removed, so a listing made from a snapshot can
// tell whether it still holds.
unsigned long Generation();

}  // namespace AddedFaces

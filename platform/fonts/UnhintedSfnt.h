#pragma once

#include <optional>
#include <string>
#include <string_view>

// A copy of a face for a PDF page to embed, made to be registered beside the installed face.
// The PDF writer loads each glyph it embeds hinted at the em size, where TrueType instructions
// move no point by a visible amount yet cost most of the time of a book of charts; the copy has
// none. Its family (name IDs 1, 16 and 21, on every platform) is replaced by the one given, in
// ASCII, so that it is found by that name alone; its other names, the PostScript name among
// them, stay.
namespace UnhintedSfnt {

// nullopt when the bytes are no sfnt this can read, or a glyph is damaged: the caller then
// draws the face another way. An sfnt without TrueType outlines is copied with only its family
// replaced.
std::optional<std::string> Make(std::string_view sfnt, std::string_view family);

// Whether the sfnt has TrueType hinting programs, so that a copy without them draws faster.
bool HasHinting(std::string_view sfnt);

}  // namespace UnhintedSfnt

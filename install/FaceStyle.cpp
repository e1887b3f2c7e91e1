#include "install/FaceStyle.h"

#include <vector>

#include "platform/fonts/IFontServices.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/Trimmed.h"

namespace {

FaceStyle StyleOf(const FontStyleRecord& face) {
  std::string style = face.elfStyle.substr(0, face.elfStyle.find('\0'));
  for (char& c : style) c = LowerAscii(c);
  const auto has = [&style](const char* word) { return style.find(word) != std::string::npos; };
  // An oblique or slanted face is shown slanted as an italic one is, and so is a face whose
  // font says it is italic whatever its style is called.
  return {has("bold"), face.Italic || has("italic") || has("oblique") || has("slant")};
}

}  // namespace

FaceStyle FindFaceStyle(IFontServices& fonts, const std::string& name,
                        const std::string& fullName) {
  const std::vector<FontStyleRecord> faces = fonts.EnumFontFamilies(name);
  // A regular face's full name is often its family's name, which reports every face of the
  // family; the last of them (a bold italic, say) must not stand for the face itself.
  for (const FontStyleRecord& face : faces) {
    if (EqualsIgnoringCase(face.elfFullName, fullName)) return StyleOf(face);
  }
  return faces.empty() ? FaceStyle{} : StyleOf(faces.back());
}

SurfaceFont FileFaceFont(IFontServices& fonts, const FontFace& face, int points) {
  const std::string fullName = Trimmed(face.FullName);
  if (face.Entry->Instance != 0) return {fullName, points, false, false};
  const FaceStyle style = FindFaceStyle(fonts, fullName, fullName);
  return {face.Entry->FamilyName, points, style.Bold, style.Italic};
}

#include "install/FaceStyle.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/AsciiCase.h"
#include "platform/IFontServices.h"

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

FaceStyle StyleOf(const FontStyleRecord& face) {
  const std::string upper = Upper(face.elfStyle.substr(0, face.elfStyle.find('\0')));
  const auto has = [&upper](const char* word) { return upper.find(word) != std::string::npos; };
  // An oblique or slanted face is shown slanted as an italic one is, and so is a face whose
  // font says it is italic whatever its style is called.
  return {has("BOLD"), face.Italic || has("ITALIC") || has("OBLIQUE") || has("SLANT")};
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

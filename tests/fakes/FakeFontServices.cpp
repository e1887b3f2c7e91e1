#include "fakes/FakeFontServices.h"

#include <algorithm>

#include "platform/text/TextCompare.h"

void FakeFontServices::AddTrueTypeFamily(const std::string& family,
                                         const std::vector<std::string>& styles) {
  std::vector<FontStyleRecord> faces;
  for (const std::string& style : styles) {
    FontStyleRecord face;
    face.FaceName = family;
    face.elfStyle = style;
    face.elfFullName = family + " " + style;
    face.tmPitchAndFamily = TMPF_TRUETYPE;
    faces.push_back(face);
  }
  AddFamily(family, std::move(faces));
}

void FakeFontServices::AddFamily(const std::string& family, std::vector<FontStyleRecord> faces) {
  families_.push_back(family);
  faces_[family] = std::move(faces);
}

std::vector<std::string> FakeFontServices::ScreenFontNames() {
  std::vector<std::string> names = families_;
  names.insert(names.end(), extraScreenNames.begin(), extraScreenNames.end());
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  names.insert(names.begin(), "Default");
  return names;
}

std::vector<FontStyleRecord> FakeFontServices::EnumFontFamilies(const std::string& family) {
  ++enumerations;
  for (const auto& [name, faces] : faces_) {
    if (CompareText(name, family) == 0) return faces;
  }
  return {};
}

#include "platform/FullNameLookup.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace {

struct PatternRelease {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetRelease {
  void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct FontSetRelease {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};

std::string StringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || value == nullptr)
    return {};
  return reinterpret_cast<const char*>(value);
}

}  // namespace

std::optional<FamilyAndStyle> FaceByFullName(const std::string& fullName) {
  const std::unique_ptr<FcPattern, PatternRelease> wanted(FcPatternCreate());
  const std::unique_ptr<FcObjectSet, ObjectSetRelease> objects(
      FcObjectSetBuild(FC_FAMILY, FC_STYLE, nullptr));
  if (!wanted || !objects) return std::nullopt;
  FcPatternAddString(wanted.get(), FC_FULLNAME, reinterpret_cast<const FcChar8*>(fullName.c_str()));
  const std::unique_ptr<FcFontSet, FontSetRelease> found(
      FcFontList(nullptr, wanted.get(), objects.get()));
  if (!found || found->nfont == 0) return std::nullopt;
  FamilyAndStyle face{StringOf(found->fonts[0], FC_FAMILY), StringOf(found->fonts[0], FC_STYLE)};
  if (face.Family.empty()) return std::nullopt;
  return face;
}

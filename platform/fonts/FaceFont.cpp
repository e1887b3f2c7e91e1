#include "platform/fonts/FaceFont.h"

#include <QStringList>
#include <map>
#include <optional>
#include <tuple>

#include "platform/fonts/BitmapStrikeRegistration.h"
#include "platform/fonts/FaceChoice.h"
#include "platform/fonts/FontconfigListing.h"
#include "platform/fonts/ResidentFontClones.h"
#include "platform/fonts/SymbolCharmap.h"
#include "platform/text/QtText.h"

namespace {

// A face as the toolkit names it (fontconfig's first family and style, which is how the
// toolkit registers every face) with what the choice added.
struct ResolvedFace {
  std::string Family;
  std::string Style;
  int Weight = 400;
  bool Italic = false;
  FaceTraits Traits;
  FaceLocation File;
};

using Request = std::tuple<std::string, bool, bool>;

std::map<std::string, std::string>& Substitutes() {
  static std::map<std::string, std::string> substitutes;
  return substitutes;
}

std::map<Request, std::optional<ResolvedFace>>& Choices() {
  static std::map<Request, std::optional<ResolvedFace>> choices;
  return choices;
}

// What a name with no face of its own is drawn in: the family fontconfig substitutes, which is
// what the toolkit would reach as well, but only after ranking every installed family against
// every other (a fifth of a second with thousands of families, for each such name).
const std::string& Substitute(const std::string& name) {
  auto& substitutes = Substitutes();
  auto found = substitutes.find(name);
  if (found == substitutes.end()) {
    std::string family = SubstituteFamily(name);
    found = substitutes.emplace(name, family.empty() ? name : std::move(family)).first;
  }
  return found->second;
}

std::optional<ResolvedFace> Resolve(const std::string& name, bool bold, bool italic) {
  std::vector<ListedFace> faces = FacesOfLegacyFamily(name);
  if (faces.empty()) faces = FacesWithFullName(name);
  // A printer's resident family is drawn in its clone, chosen and styled as the clone's own
  // family would be, so a style the clone lacks is added.
  if (faces.empty()) {
    const std::string clone = ResidentFontClone(name);
    if (!clone.empty()) faces = FacesOfLegacyFamily(clone);
  }
  std::vector<FaceCandidate> candidates;
  candidates.reserve(faces.size());
  for (const ListedFace& face : faces) candidates.push_back({face.WeightClass, face.Italic});
  const std::optional<FaceChoice> choice = ChooseFace(candidates, bold, italic);
  if (!choice) return std::nullopt;
  const ListedFace& face = faces[choice->Index];
  static const SymbolCharmap symbolCharmap;
  return ResolvedFace{face.Family,
                      face.Style,
                      face.WeightClass,
                      face.Italic,
                      FaceTraits{choice->SynthesizeBold, choice->SynthesizeItalic,
                                 symbolCharmap.Has(face.File, face.Index),
                                 face.Outline ? "" : face.File, face.Outline ? 0 : face.Index},
                      FaceLocation{face.File, face.Index}};
}

const std::optional<ResolvedFace>& Chosen(const std::string& name, bool bold, bool italic) {
  auto& choices = Choices();
  const Request request{name, bold, italic};
  auto found = choices.find(request);
  if (found == choices.end()) found = choices.emplace(request, Resolve(name, bold, italic)).first;
  return found->second;
}

}  // namespace

QFont FaceFont(const std::string& faceName, double points, bool bold, bool italic) {
  QFont font;
  font.setPointSizeF(points);
  SetFace(font, faceName, bold, italic);
  return font;
}

void SetFace(QFont& font, const std::string& faceName, bool bold, bool italic) {
  font.setStyleStrategy(QFont::NoFontMerging);
  const std::optional<ResolvedFace>& face =
      faceName.empty() ? std::nullopt : Chosen(faceName, bold, italic);
  if (!face) {
    font.setStyleName(QString());
    if (!faceName.empty()) font.setFamilies(QStringList{ToQString(Substitute(faceName))});
    font.setBold(bold);
    font.setItalic(italic);
    return;
  }
  // Asked before the font is matched, so that its size picks among all of the face's strikes.
  if (!face->Traits.BitmapFile.empty()) KeepBitmapStrikesRegistered();
  font.setFamilies(QStringList{ToQString(face->Family)});
  font.setStyleName(ToQString(face->Style));
  // The toolkit adds bold to a face lighter than asked and slants an upright face asked for
  // italic; a face of the family that has the style is asked for its own weight and slant.
  font.setWeight(face->Traits.AddedBold ? QFont::Bold : static_cast<QFont::Weight>(face->Weight));
  font.setItalic(face->Italic || face->Traits.AddedItalic);
}

FaceTraits TraitsOfFace(const std::string& faceName, bool bold, bool italic) {
  if (faceName.empty()) return {};
  const std::optional<ResolvedFace>& face = Chosen(faceName, bold, italic);
  return face ? face->Traits : FaceTraits{};
}

std::optional<FaceLocation> FileOfFace(const std::string& faceName, bool bold, bool italic) {
  if (faceName.empty()) return std::nullopt;
  const std::optional<ResolvedFace>& face = Chosen(faceName, bold, italic);
  if (!face) return std::nullopt;
  return face->File;
}

void ForgetFaceChoices() {
  Choices().clear();
  Substitutes().clear();
}

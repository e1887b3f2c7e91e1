#include "platform/fonts/FontconfigFontServices.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string_view>
#include <tuple>
#include <unordered_set>

#include "platform/fonts/FontconfigListing.h"
#include "platform/fonts/SymbolCharmap.h"
#include "platform/text/TextCompare.h"

namespace {

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> candidates) {
  return std::find(candidates.begin(), candidates.end(), value) != candidates.end();
}

// A face of bitmaps only is a raster font whatever its container: an sfnt of bitmaps (OTB, or
// a bitmap-only .ttf) is no TrueType font to the user.
std::uint8_t PitchAndFamilyOf(const ListedFace& face) {
  if (!face.Outline) return 0;
  if (face.Format == "TrueType") return TMPF_TRUETYPE;
  if (IsOneOf(face.Format, {"CFF", "Type 1", "CID Type 1"})) return TMPF_VECTOR;
  return 0;
}

std::uint8_t CharSetOf(const ListedFace& face, bool symbolCharmap) {
  if (symbolCharmap) return SYMBOL_CHARSET;
  if (!face.Outline) return OEM_CHARSET;
  return IsOneOf(face.Format, {"PCF", "BDF", "Windows FNT"}) ? OEM_CHARSET : ANSI_CHARSET;
}

FontStyleRecord RecordOf(const ListedFace& face) {
  FontStyleRecord record;
  record.FaceName = face.LegacyFamily;
  record.elfStyle = face.LegacyStyle;
  record.elfFullName = face.FullName;
  record.Weight = face.WeightClass;
  record.Italic = face.Italic;
  record.tmPitchAndFamily = PitchAndFamilyOf(face);
  return record;
}

// File and index break the remaining ties (the sizes of one bitmap font share every other key),
// so that the order does not follow the order in which fontconfig happened to scan.
bool NaturalOrder(const ListedFace& a, const ListedFace& b) {
  return std::tie(a.Weight, a.Slant, a.Width, a.LegacyStyle, a.File, a.Index) <
         std::tie(b.Weight, b.Slant, b.Width, b.LegacyStyle, b.File, b.Index);
}

}  // namespace

FontconfigFontServices::FontconfigFontServices() : symbol_(std::make_unique<SymbolCharmap>()) {}

FontconfigFontServices::~FontconfigFontServices() = default;

std::vector<std::string> FontconfigFontServices::ScreenFontNames() {
  // Each name is folded once and the folded names compared as bytes: with thousands of
  // families a case-blind comparison per pair the sort looks at costs more than the folding.
  std::vector<std::pair<std::string, std::string>> families;
  for (std::string& family : LegacyFamilyOfEachFace()) {
    std::string folded = FoldCase(family);
    families.emplace_back(std::move(folded), std::move(family));
  }
  std::stable_sort(families.begin(), families.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  const auto last = std::unique(families.begin(), families.end(),
                                [](const auto& a, const auto& b) { return a.first == b.first; });
  families.erase(last, families.end());
  const std::string folded = FoldCase("Default");
  std::vector<std::string> names{"Default"};
  names.reserve(families.size() + 1);
  for (auto& [key, family] : families) {
    if (key != folded) names.push_back(std::move(family));
  }
  return names;
}

std::vector<std::string> FontconfigFontServices::InstalledFamilies() {
  std::vector<std::string> families;
  std::unordered_set<std::string> seen;
  for (std::string& family : LegacyFamilyOfEachFace()) {
    if (seen.insert(family).second) families.push_back(std::move(family));
  }
  return families;
}

std::vector<FontStyleRecord> FontconfigFontServices::EnumFontFamilies(const std::string& family) {
  std::vector<ListedFace> faces = FacesOfLegacyFamily(family);
  // A face's full name names that one face, as a family name names all of its faces.
  if (faces.empty()) faces = FacesWithFullName(family);
  std::stable_sort(faces.begin(), faces.end(), NaturalOrder);
  // One face installed in several files (a Type 1 and a CFF copy, whose weights may be read
  // differently, or the sizes of one bitmap font) is one style to the user: the first in
  // natural order stands for all.
  std::set<std::pair<std::string, bool>> seen;
  std::erase_if(faces, [&seen](const ListedFace& face) {
    return !seen.emplace(face.LegacyStyle, face.Italic).second;
  });
  std::vector<FontStyleRecord> records;
  records.reserve(faces.size());
  for (const ListedFace& face : faces) {
    FontStyleRecord record = RecordOf(face);
    record.tmCharSet = CharSetOf(face, symbol_->Has(face.File, face.Index));
    records.push_back(std::move(record));
  }
  return records;
}

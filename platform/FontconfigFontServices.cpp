#include "platform/FontconfigFontServices.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>
#include <unordered_set>

namespace {

struct ConfigRelease {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternRelease {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetRelease {
  void operator()(FcObjectSet* objects) const { FcObjectSetDestroy(objects); }
};
struct FontSetRelease {
  void operator()(FcFontSet* fonts) const { FcFontSetDestroy(fonts); }
};
struct LibraryRelease {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceRelease {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

using ConfigPtr = std::unique_ptr<FcConfig, ConfigRelease>;
using PatternPtr = std::unique_ptr<FcPattern, PatternRelease>;
using ObjectSetPtr = std::unique_ptr<FcObjectSet, ObjectSetRelease>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetRelease>;
using LibraryPtr = std::unique_ptr<FT_LibraryRec_, LibraryRelease>;
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceRelease>;

const FcChar8* Utf8(const std::string& text) {
  return reinterpret_cast<const FcChar8*>(text.c_str());
}

// fontconfig's own case folding, so that "the same name" means what it means to fontconfig.
int CompareIgnoringCase(const std::string& a, const std::string& b) {
  return FcStrCmpIgnoreCase(Utf8(a), Utf8(b));
}

// Every face fontconfig knows that matches `pattern`, reduced to `objects`. The current
// configuration is taken on each call (and referenced, so a reinitialisation elsewhere cannot
// free it under us) because fonts installed while the program runs join a new configuration.
FontSetPtr ListFonts(FcPattern* pattern, std::initializer_list<const char*> objects) {
  const ConfigPtr config(FcConfigReference(nullptr));
  const ObjectSetPtr set(FcObjectSetCreate());
  if (!config || !set) return nullptr;
  for (const char* object : objects) {
    if (!FcObjectSetAdd(set.get(), object)) return nullptr;
  }
  return FontSetPtr(FcFontList(config.get(), pattern, set.get()));
}

std::optional<std::string> StringOf(const FcPattern* font, const char* object, int id = 0) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(font, object, id, &value) != FcResultMatch) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(value));
}

// A number of the face; a variable font lists its axes as ranges, of which the start is taken.
double NumberOf(const FcPattern* font, const char* object, double fallback) {
  double value = fallback;
  if (FcPatternGetDouble(font, object, 0, &value) == FcResultMatch) return value;
  FcRange* range = nullptr;
  double end = 0;
  if (FcPatternGetRange(font, object, 0, &range) == FcResultMatch &&
      FcRangeGetDouble(range, &value, &end)) {
    return value;
  }
  return fallback;
}

// The first family name of every face, in fontconfig's enumeration order; the first name is the
// one fontconfig and the desktop show for the face. The file and index are listed too because
// fontconfig merges listed patterns that compare equal, and it compares names without regard to
// case: listing the family alone would lose a family that differs from another only in case.
std::vector<std::string> FirstFamilyOfEachFace() {
  const PatternPtr everything(FcPatternCreate());
  if (!everything) return {};
  const FontSetPtr fonts = ListFonts(everything.get(), {FC_FAMILY, FC_FILE, FC_INDEX});
  std::vector<std::string> families;
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    if (auto family = StringOf(fonts->fonts[i], FC_FAMILY)) families.push_back(std::move(*family));
  }
  return families;
}

// The family name of the face as fontconfig spells it: the one of its names the caller asked
// for, or its first name when it was found under a spelling fontconfig alone considers equal.
std::string FamilyOf(const FcPattern* font, const std::string& wanted) {
  std::optional<std::string> first;
  for (int id = 0; auto name = StringOf(font, FC_FAMILY, id); ++id) {
    if (CompareIgnoringCase(*name, wanted) == 0) return *name;
    if (!first) first = std::move(name);
  }
  return first.value_or(wanted);
}

// fontconfig's weight on the 100..900 scale of a logical font. fontconfig's conversion refuses
// weights outside its own scale, so those are brought to its nearest end first.
int OpenTypeWeight(double fontconfigWeight) {
  const double onScale = std::clamp(fontconfigWeight, 0.0, double{FC_WEIGHT_EXTRABLACK});
  const int weight = FcWeightToOpenType(static_cast<int>(std::lround(onScale)));
  return std::clamp(weight, 100, 900);
}

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> candidates) {
  return std::find(candidates.begin(), candidates.end(), value) != candidates.end();
}

std::uint8_t PitchAndFamilyOf(std::string_view format) {
  if (format == "TrueType") return TMPF_TRUETYPE;
  if (IsOneOf(format, {"CFF", "Type 1", "CID Type 1"})) return TMPF_VECTOR;
  return 0;
}

std::uint8_t CharSetOf(std::string_view format, bool symbolCharmap) {
  if (symbolCharmap) return SYMBOL_CHARSET;
  return IsOneOf(format, {"PCF", "BDF", "Windows FNT"}) ? OEM_CHARSET : ANSI_CHARSET;
}

// One listed face with what it is ordered by and where FreeType finds it.
struct ListedFace {
  FontStyleRecord record;
  double weight = FC_WEIGHT_REGULAR;
  double slant = FC_SLANT_ROMAN;
  double width = FC_WIDTH_NORMAL;
  std::string format;
  std::string file;
  int index = 0;
};

ListedFace DescribeFace(const FcPattern* font, const std::string& wanted) {
  ListedFace face;
  face.weight = NumberOf(font, FC_WEIGHT, FC_WEIGHT_REGULAR);
  face.slant = NumberOf(font, FC_SLANT, FC_SLANT_ROMAN);
  face.width = NumberOf(font, FC_WIDTH, FC_WIDTH_NORMAL);
  face.format = StringOf(font, FC_FONTFORMAT).value_or("");
  face.file = StringOf(font, FC_FILE).value_or("");
  FcPatternGetInteger(font, FC_INDEX, 0, &face.index);
  FontStyleRecord& record = face.record;
  record.FaceName = FamilyOf(font, wanted);
  record.elfStyle = StringOf(font, FC_STYLE).value_or("");
  const std::string joined =
      record.elfStyle.empty() ? record.FaceName : record.FaceName + " " + record.elfStyle;
  record.elfFullName = StringOf(font, FC_FULLNAME).value_or(joined);
  record.Weight = OpenTypeWeight(face.weight);
  record.Italic = face.slant != FC_SLANT_ROMAN;
  record.tmPitchAndFamily = PitchAndFamilyOf(face.format);
  return face;
}

// File and index break the remaining ties (the sizes of one bitmap font share every other key),
// so that the order does not follow the order in which fontconfig happened to scan.
bool NaturalOrder(const ListedFace& a, const ListedFace& b) {
  return std::tie(a.weight, a.slant, a.width, a.record.elfStyle, a.file, a.index) <
         std::tie(b.weight, b.slant, b.width, b.record.elfStyle, b.file, b.index);
}

// The faces whose property (family or full name) is the given name.
std::vector<ListedFace> ListFaces(const char* property, const std::string& name) {
  const PatternPtr wanted(FcPatternCreate());
  if (!wanted || !FcPatternAddString(wanted.get(), property, Utf8(name))) return {};
  const FontSetPtr fonts =
      ListFonts(wanted.get(), {FC_FAMILY, FC_STYLE, FC_FULLNAME, FC_WEIGHT, FC_SLANT, FC_WIDTH,
                               FC_FONTFORMAT, FC_FILE, FC_INDEX});
  std::vector<ListedFace> faces;
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    faces.push_back(DescribeFace(fonts->fonts[i], name));
  }
  return faces;
}

}  // namespace

class FontconfigFontServices::FreeType {
 public:
  explicit FreeType() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) library_.reset(library);
  }

  // Whether the face has a Microsoft symbol character map (platform 3, encoding 0). A file
  // FreeType cannot open is taken as having none: the listing must not fail over one bad file.
  bool HasSymbolCharmap(const std::string& file, int index) const {
    if (!library_ || file.empty()) return false;
    FT_Face opened = nullptr;
    // The upper half of fontconfig's index names a variable font's instance, which the
    // character map does not depend on.
    if (FT_New_Face(library_.get(), file.c_str(), index & 0xFFFF, &opened) != 0) return false;
    const FacePtr face(opened);
    const auto* const begin = face->charmaps;
    const auto* const end = begin + face->num_charmaps;
    return std::any_of(
        begin, end, [](FT_CharMap charmap) { return charmap->encoding == FT_ENCODING_MS_SYMBOL; });
  }

 private:
  LibraryPtr library_;
};

FontconfigFontServices::FontconfigFontServices() : freetype_(std::make_unique<FreeType>()) {}

FontconfigFontServices::~FontconfigFontServices() = default;

std::vector<std::string> FontconfigFontServices::ScreenFontNames() {
  std::vector<std::string> families = FirstFamilyOfEachFace();
  std::stable_sort(families.begin(), families.end(),
                   [](const auto& a, const auto& b) { return CompareIgnoringCase(a, b) < 0; });
  const auto last = std::unique(families.begin(), families.end(), [](const auto& a, const auto& b) {
    return CompareIgnoringCase(a, b) == 0;
  });
  families.erase(last, families.end());
  std::vector<std::string> names{"Default"};
  std::copy_if(
      families.begin(), families.end(), std::back_inserter(names),
      [](const std::string& family) { return CompareIgnoringCase(family, "Default") != 0; });
  return names;
}

std::vector<std::string> FontconfigFontServices::InstalledFamilies() {
  std::vector<std::string> families;
  std::unordered_set<std::string> seen;
  for (std::string& family : FirstFamilyOfEachFace()) {
    if (seen.insert(family).second) families.push_back(std::move(family));
  }
  return families;
}

std::vector<FontStyleRecord> FontconfigFontServices::EnumFontFamilies(const std::string& family) {
  std::vector<ListedFace> faces = ListFaces(FC_FAMILY, family);
  // A face's full name names that one face, as a family name names all of its faces.
  if (faces.empty()) faces = ListFaces(FC_FULLNAME, family);
  std::stable_sort(faces.begin(), faces.end(), NaturalOrder);
  // One face installed in several files (a Type 1 and a CFF copy, whose weights may be read
  // differently, or the sizes of one bitmap font) is one style to the user: the first in
  // natural order stands for all.
  std::set<std::pair<std::string, bool>> seen;
  std::erase_if(faces, [&seen](const ListedFace& face) {
    return !seen.emplace(face.record.elfStyle, face.record.Italic).second;
  });
  std::vector<FontStyleRecord> records;
  records.reserve(faces.size());
  for (ListedFace& face : faces) {
    const bool symbol = freetype_->HasSymbolCharmap(face.file, face.index);
    face.record.tmCharSet = CharSetOf(face.format, symbol);
    records.push_back(std::move(face.record));
  }
  return records;
}

#include "platform/fonts/FontconfigListing.h"

#include "platform/fonts/AddedFaces.h"
#include "platform/fonts/FamilyNameCache.h"
#include "platform/fonts/InstanceLegacyNames.h"
#include "platform/fonts/PrivateFontCopies.h"
#include "platform/fonts/SfntFamilyName.h"
#include "platform/text/TextCompare.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <optional>
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

using ConfigPtr = std::unique_ptr<FcConfig, ConfigRelease>;
using PatternPtr = std::unique_ptr<FcPattern, PatternRelease>;
using ObjectSetPtr = std::unique_ptr<FcObjectSet, ObjectSetRelease>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetRelease>;

const FcChar8* Utf8(const std::string& text) {
  return reinterpret_cast<const FcChar8*>(text.c_str());
}

// fontconfig matches family names without regard to blanks as well as case.
std::string WithoutBlanks(std::string name) {
  std::erase(name, ' ');
  return name;
}

// Whether a face fontconfig holds is one the lists show. The toolkit puts its own copies of the
// faces the program added among the application fonts, under a file name that is no path or is
// a private copy's (and may keep them a while after the program removed them); those are the
// same faces again. A variable font is also listed once as a whole, beside its named instances;
// that entry has no style of its own and draws as the default instance, which is listed already.
bool Listable(const FcPattern* font) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch &&
      (file[0] != '/' || IsPrivateFontCopy(reinterpret_cast<const char*>(file)))) {
    return false;
  }
  FcBool wholeVariableFont = FcFalse;
  FcPatternGetBool(font, FC_VARIABLE, 0, &wholeVariableFont);
  return !wholeVariableFont;
}

// Every face fontconfig knows that matches `pattern`, reduced to `objects`: the installed faces,
// fontconfig's application fonts and the faces the program added for the moment. The current
// configuration is taken on each call (and referenced, so a reinitialisation elsewhere cannot
// free it under us) because fonts installed while the program runs join a new configuration.
// The file and index are always listed: fontconfig merges listed patterns that compare equal,
// and it compares names without regard to case, so a family that differs from another only in
// case would otherwise be lost.
FontSetPtr ListFonts(FcPattern* pattern, std::initializer_list<const char*> objects) {
  const ConfigPtr config(FcConfigReference(nullptr));
  const ObjectSetPtr set(FcObjectSetCreate());
  if (!config || !set) return nullptr;
  for (const char* object : objects) {
    if (!FcObjectSetAdd(set.get(), object)) return nullptr;
  }
  if (!FcObjectSetAdd(set.get(), FC_FILE) || !FcObjectSetAdd(set.get(), FC_INDEX) ||
      !FcObjectSetAdd(set.get(), FC_VARIABLE)) {
    return nullptr;
  }
  const FontSetPtr added(AddedFaces::Snapshot());
  FcFontSet* sets[] = {FcConfigGetFonts(config.get(), FcSetSystem),
                       FcConfigGetFonts(config.get(), FcSetApplication), added.get()};
  FontSetPtr listed(FcFontSetList(config.get(), sets, 3, pattern, set.get()));
  if (!listed) return nullptr;
  int kept = 0;
  for (int i = 0; i < listed->nfont; ++i) {
    if (Listable(listed->fonts[i])) {
      listed->fonts[kept++] = listed->fonts[i];
    } else {
      FcPatternDestroy(listed->fonts[i]);
    }
  }
  listed->nfont = kept;
  return listed;
}

// Calls `each` with every face ListFonts lists for any pattern, read in place: listing every
// face would copy each pattern only to throw the copies away.
template <typename Each>
void ForEveryFace(FcConfig* config, const Each& each) {
  const FontSetPtr added(AddedFaces::Snapshot());
  const FcFontSet* sets[] = {FcConfigGetFonts(config, FcSetSystem),
                             FcConfigGetFonts(config, FcSetApplication), added.get()};
  for (const FcFontSet* fonts : sets) {
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
      if (Listable(fonts->fonts[i])) each(fonts->fonts[i]);
    }
  }
}

// A string of the face in place, or null: names compared over thousands of faces at start are
// not copied.
const char* RawStringOf(const FcPattern* font, const char* object, int id = 0) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(font, object, id, &value) != FcResultMatch) return nullptr;
  return reinterpret_cast<const char*>(value);
}

std::optional<std::string> StringOf(const FcPattern* font, const char* object, int id = 0) {
  const char* value = RawStringOf(font, object, id);
  if (!value) return std::nullopt;
  return std::string(value);
}

bool SameString(const char* a, const char* b) {
  return a && b && std::strcmp(a, b) == 0;
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

// fontconfig lists a face's names per language, most specific kind first: the WWS family, the
// typographic family, then the legacy family (and the same for the styles), leaving out a name
// equal to one before it. So the legacy name is the last one in the language of the first; a
// face that gives no languages (Type 1, bitmap formats) has one name only.
std::string LegacyName(const FcPattern* font, const char* object, const char* languages) {
  const char* legacy = RawStringOf(font, object);
  if (!legacy) return {};
  const char* firstLanguage = RawStringOf(font, languages);
  if (!firstLanguage) return legacy;
  for (int id = 1; const char* name = RawStringOf(font, object, id); ++id) {
    if (SameString(RawStringOf(font, languages, id), firstLanguage)) legacy = name;
  }
  return legacy;
}

// fontconfig's weight on the 100..900 scale of a logical font. fontconfig's conversion refuses
// weights outside its own scale, so those are brought to its nearest end first.
int WeightClassOf(double fontconfigWeight) {
  const double onScale = std::clamp(fontconfigWeight, 0.0, double{FC_WEIGHT_EXTRABLACK});
  const int weight = FcWeightToOpenType(static_cast<int>(std::lround(onScale)));
  return std::clamp(weight, 100, 900);
}

// A face index above 0xFFFF carries a named instance of a variable font in its upper bits.
bool IsNamedInstance(const FcPattern* font) {
  int index = 0;
  return FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch && (index >> 16) != 0;
}

// The names read from font files, this run's and earlier runs'.
FamilyNameCache& ReadNames() {
  // Kept to the end of the process: freeing thousands of names at exit would only cost time.
  static FamilyNameCache& names = *new FamilyNameCache(FamilyNameCache::DefaultFile());
  return names;
}

// fontconfig leaves out a name that equals one listed before it but for blanks and letter case,
// so a face whose typographic family is its legacy family spelt with other blanks or case
// ("Noto Sans Meetei Mayek" for "Noto Sans MeeteiMayek") lists one family name only. Only such
// a face can have lost its legacy name, and only an sfnt file has one to read; each file is
// read once per run.
std::string OwnLegacyFamily(const FcPattern* font, std::string listed) {
  const char* language = RawStringOf(font, FC_FAMILYLANG);
  for (int id = 1; const char* other = RawStringOf(font, FC_FAMILYLANG, id); ++id) {
    if (SameString(other, language)) return listed;
  }
  const char* format = RawStringOf(font, FC_FONTFORMAT);
  const std::optional<std::string> file = StringOf(font, FC_FILE);
  if (!format || (std::strcmp(format, "TrueType") != 0 && std::strcmp(format, "CFF") != 0) ||
      !file) {
    return listed;
  }
  int index = 0;
  FcPatternGetInteger(font, FC_INDEX, 0, &index);
  std::optional<FamilyNameCache::Name> kept = ReadNames().Find(*file, index & 0xFFFF);
  if (!kept) {
    kept = ReadSfntFamilyName(*file, index & 0xFFFF);
    ReadNames().Put(*file, index & 0xFFFF, *kept);
  }
  const std::optional<std::string>& own = *kept;
  if (own && *own != listed &&
      CompareIgnoringCase(WithoutBlanks(*own), WithoutBlanks(listed)) == 0) {
    return *own;
  }
  return listed;
}

// The legacy family and style of a face. A named instance shares its font's name table, whose
// names are those of the default instance; its own names come from its style.
InstanceLegacyNames LegacyNamesOf(const FcPattern* font) {
  if (!IsNamedInstance(font)) {
    return {OwnLegacyFamily(font, LegacyName(font, FC_FAMILY, FC_FAMILYLANG)),
            LegacyName(font, FC_STYLE, FC_STYLELANG)};
  }
  const double slant = NumberOf(font, FC_SLANT, FC_SLANT_ROMAN);
  return LegacyNamesOfInstance(
      StringOf(font, FC_FAMILY).value_or(""), StringOf(font, FC_STYLE).value_or(""),
      WeightClassOf(NumberOf(font, FC_WEIGHT, FC_WEIGHT_REGULAR)), slant != FC_SLANT_ROMAN);
}

// The legacy family alone, as LegacyNamesOf names it.
std::string LegacyFamilyOf(const FcPattern* font) {
  if (IsNamedInstance(font)) return LegacyNamesOf(font).Family;
  return OwnLegacyFamily(font, LegacyName(font, FC_FAMILY, FC_FAMILYLANG));
}

ListedFace DescribeFace(const FcPattern* font) {
  ListedFace face;
  face.Family = StringOf(font, FC_FAMILY).value_or("");
  face.Style = StringOf(font, FC_STYLE).value_or("");
  InstanceLegacyNames legacy = LegacyNamesOf(font);
  face.LegacyFamily = std::move(legacy.Family);
  face.LegacyStyle = std::move(legacy.Style);
  const std::string joined =
      face.LegacyStyle.empty() ? face.LegacyFamily : face.LegacyFamily + " " + face.LegacyStyle;
  // Every instance of a variable font carries the font's one full name; an instance is named
  // as its static face would be ("Inter Thin", "Inter Thin Italic").
  if (IsNamedInstance(font)) {
    face.FullName = face.LegacyStyle == "Regular" ? face.LegacyFamily : joined;
  } else {
    face.FullName = StringOf(font, FC_FULLNAME).value_or(joined);
  }
  face.Weight = NumberOf(font, FC_WEIGHT, FC_WEIGHT_REGULAR);
  face.WeightClass = WeightClassOf(face.Weight);
  face.Slant = NumberOf(font, FC_SLANT, FC_SLANT_ROMAN);
  face.Italic = face.Slant != FC_SLANT_ROMAN;
  face.Width = NumberOf(font, FC_WIDTH, FC_WIDTH_NORMAL);
  face.Format = StringOf(font, FC_FONTFORMAT).value_or("");
  FcBool outline = FcTrue;
  if (FcPatternGetBool(font, FC_OUTLINE, 0, &outline) == FcResultMatch) face.Outline = outline;
  face.File = StringOf(font, FC_FILE).value_or("");
  FcPatternGetInteger(font, FC_INDEX, 0, &face.Index);
  return face;
}

// The faces whose property (a family or a full name) is the given name, with everything the
// program reads of a face.
std::vector<ListedFace> ListFaces(const char* property, const std::string& name) {
  const PatternPtr wanted(FcPatternCreate());
  if (!wanted || !FcPatternAddString(wanted.get(), property, Utf8(name))) return {};
  const FontSetPtr fonts =
      ListFonts(wanted.get(), {FC_FAMILY, FC_FAMILYLANG, FC_STYLE, FC_STYLELANG, FC_FULLNAME,
                               FC_WEIGHT, FC_SLANT, FC_WIDTH, FC_FONTFORMAT, FC_OUTLINE});
  std::vector<ListedFace> faces;
  for (int i = 0; fonts && i < fonts->nfont; ++i) faces.push_back(DescribeFace(fonts->fonts[i]));
  return faces;
}

// The name up to its last blank; empty for a name of one word.
std::string WithoutLastWord(const std::string& name) {
  const std::size_t blank = name.find_last_of(' ');
  return blank == std::string::npos ? std::string() : name.substr(0, blank);
}

// The faces of the family that the name starts with, and that the test keeps. A named instance
// is named by its font's family and more words ("Inter Semi Bold"), which fontconfig does not
// know, so a name without such faces is looked for again without its last word, then the one
// before, until a shorter name has faces the test keeps.
template <typename Keep>
std::vector<ListedFace> FacesUnderLeadingWords(const std::string& name, Keep keep) {
  for (std::string listed = name; !listed.empty(); listed = WithoutLastWord(listed)) {
    std::vector<ListedFace> faces = ListFaces(FC_FAMILY, listed);
    std::erase_if(faces, [&keep](const ListedFace& face) { return !keep(face); });
    if (!faces.empty()) return faces;
  }
  return {};
}

}  // namespace

std::string SubstituteFamily(const std::string& name) {
  const ConfigPtr config(FcConfigReference(nullptr));
  const PatternPtr pattern(FcPatternCreate());
  if (!config || !pattern || !FcPatternAddString(pattern.get(), FC_FAMILY, Utf8(name))) return {};
  FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  const PatternPtr match(FcFontMatch(config.get(), pattern.get(), &result));
  if (!match) return {};
  return StringOf(match.get(), FC_FAMILY).value_or("");
}

int CompareIgnoringCase(const std::string& a, const std::string& b) {
  return FcStrCmpIgnoreCase(Utf8(a), Utf8(b));
}

// What a listing of every face was made from: it changes only with the configuration or the
// faces added to it. The configuration is held, so no newer configuration can take its address
// while a listing is kept.
struct ListingSource {
  ConfigPtr Config;
  const FcFontSet* Applications = nullptr;
  int ApplicationCount = 0;
  unsigned long Added = 0;

  static ListingSource Now() {
    ListingSource now;
    now.Config.reset(FcConfigReference(nullptr));
    if (!now.Config) return now;
    now.Applications = FcConfigGetFonts(now.Config.get(), FcSetApplication);
    now.ApplicationCount = now.Applications ? now.Applications->nfont : 0;
    now.Added = AddedFaces::Generation();
    return now;
  }
  bool operator==(const ListingSource& other) const {
    return Config == other.Config && Applications == other.Applications &&
           ApplicationCount == other.ApplicationCount && Added == other.Added;
  }
};

std::vector<std::string> LegacyFamilyOfEachFace() {
  // Start-up asks twice (the printer's list and the screen's); with thousands of faces each
  // listing costs milliseconds.
  static ListingSource lastSource;
  static std::vector<std::string> last;
  ListingSource source = ListingSource::Now();
  if (!source.Config) return {};
  if (source == lastSource) return last;
  std::vector<std::string> families;
  ForEveryFace(source.Config.get(), [&families](const FcPattern* font) {
    std::string family = LegacyFamilyOf(font);
    if (!family.empty()) families.push_back(std::move(family));
  });
  ReadNames().Save();
  lastSource = std::move(source);
  last = families;
  return families;
}

bool IsInstalledFamily(const std::string& family) {
  static ListingSource lastSource;
  static std::unordered_set<std::string> installed;
  ListingSource source = ListingSource::Now();
  if (!source.Config) return false;
  if (!(source == lastSource)) {
    installed.clear();
    ForEveryFace(source.Config.get(), [](const FcPattern* font) {
      if (const std::optional<std::string> first = StringOf(font, FC_FAMILY)) {
        installed.insert(FoldCase(*first));
      }
    });
    lastSource = std::move(source);
  }
  return installed.contains(FoldCase(family));
}

std::vector<ListedFace> FacesOfLegacyFamily(const std::string& family) {
  // fontconfig finds the faces that have the name among any of their families; of those, only
  // the ones whose legacy family it is belong to the list's entry.
  return FacesUnderLeadingWords(family, [&family](const ListedFace& face) {
    return CompareIgnoringCase(WithoutBlanks(face.LegacyFamily), WithoutBlanks(family)) == 0;
  });
}

std::vector<ListedFace> FacesWithFullName(const std::string& fullName) {
  std::vector<ListedFace> faces = ListFaces(FC_FULLNAME, fullName);
  if (!faces.empty()) return faces;
  // fontconfig gives every named instance its font's one full name; an instance answers to the
  // full name it is listed under.
  return FacesUnderLeadingWords(fullName, [&fullName](const ListedFace& face) {
    return (face.Index >> 16) != 0 && CompareIgnoringCase(face.FullName, fullName) == 0;
  });
}

#include "platform/fonts/AddedFaces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fcfreetype.h>

#include <map>
#include <vector>

#include "platform/fonts/CollectionFonts.h"
#include "platform/fonts/FreeTypeLibrary.h"

namespace {

struct FileFaces {
  std::vector<FcPattern*> Patterns;
  FileFaces() = default;
  FileFaces(const FileFaces&) = delete;
  FileFaces& operator=(const FileFaces&) = delete;
  ~FileFaces() {
    for (FcPattern* pattern : Patterns) FcPatternDestroy(pattern);
  }
};

std::map<std::string, FileFaces>& Files() {
  static std::map<std::string, FileFaces> files;
  return files;
}

unsigned long& Changes() {
  static unsigned long changes = 0;
  return changes;
}

// As many named instances as a face is listed with.
constexpr long kMaxInstances = 0x7FFF;

FT_Library Library() {
  static const FreeTypeLibrary library;
  return library.Handle();
}

// fontconfig names every named instance of a variable font by the font's one full name, so that
// no instance could be asked for by its own: each is given "<family> <style>" ("Inter Thin"), as
// the preview lists it.
void NameInstance(FcPattern* pattern) {
  FcChar8* family = nullptr;
  FcChar8* style = nullptr;
  if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch ||
      FcPatternGetString(pattern, FC_STYLE, 0, &style) != FcResultMatch) {
    return;
  }
  const std::string fullName = std::string(reinterpret_cast<const char*>(family)) + " " +
                               reinterpret_cast<const char*>(style);
  FcPatternDel(pattern, FC_FULLNAME);
  FcPatternAddString(pattern, FC_FULLNAME, reinterpret_cast<const FcChar8*>(fullName.c_str()));
}

// fontconfig's description of face `index` of the bytes (with a named instance in the bits above
// the face's), named after the file; nothing for a face FreeType cannot open.
FcPattern* Describe(const std::string& path, std::string_view bytes, long index, long* faceCount,
                    long* instanceCount) {
  FT_Face face = nullptr;
  if (Library() == nullptr ||
      FT_New_Memory_Face(Library(), reinterpret_cast<const FT_Byte*>(bytes.data()),
                         static_cast<FT_Long>(bytes.size()), index, &face) != 0) {
    return nullptr;
  }
  *faceCount = face->num_faces;
  *instanceCount = face->style_flags >> 16;
  FcPattern* pattern = FcFreeTypeQueryFace(face, reinterpret_cast<const FcChar8*>(path.c_str()),
                                           static_cast<unsigned int>(index), nullptr);
  FT_Done_Face(face);
  if (pattern != nullptr && index >> 16 != 0) NameInstance(pattern);
  return pattern;
}

// Face `index` of the bytes and each of its named instances.
void DescribeWithInstances(const std::string& path, std::string_view bytes, long index,
                           long* faceCount, FileFaces& faces) {
  long instances = 0;
  FcPattern* pattern = Describe(path, bytes, index, faceCount, &instances);
  if (pattern == nullptr) return;
  faces.Patterns.push_back(pattern);
  long ignored = 0;
  for (long instance = 1; instance <= instances && instance <= kMaxInstances; ++instance) {
    if (FcPattern* named = Describe(path, bytes, index | instance << 16, &ignored, &ignored)) {
      faces.Patterns.push_back(named);
    }
  }
}

}  // namespace

namespace AddedFaces {

void Add(const std::string& path, std::string_view bytes) {
  FileFaces& faces = Files()[path];
  if (!faces.Patterns.empty()) return;
  ++Changes();
  // A collection's faces are the fonts its header really lists, never every index it claims.
  if (CollectionFonts::IsCollection(bytes)) {
    long ignored = 0;
    for (const CollectionFonts::Font& font : CollectionFonts::Read(bytes).Fonts) {
      DescribeWithInstances(path, bytes, font.Index, &ignored, faces);
    }
    return;
  }
  long count = 1;
  for (long index = 0; index < count && index < CollectionFonts::kMaxFonts; ++index) {
    DescribeWithInstances(path, bytes, index, &count, faces);
  }
}

void Remove(const std::string& path) {
  if (Files().erase(path) != 0) ++Changes();
}

std::vector<NamedInstance> NamedInstances(const std::string& path) {
  const auto found = Files().find(path);
  if (found == Files().end()) return {};
  std::vector<NamedInstance> instances;
  for (FcPattern* pattern : found->second.Patterns) {
    NamedInstance instance;
    FcChar8* family = nullptr;
    FcChar8* style = nullptr;
    if (FcPatternGetInteger(pattern, FC_INDEX, 0, &instance.Index) != FcResultMatch ||
        instance.Index >> 16 == 0 ||
        FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch ||
        FcPatternGetString(pattern, FC_STYLE, 0, &style) != FcResultMatch) {
      continue;
    }
    instance.Family = reinterpret_cast<const char*>(family);
    instance.Style = reinterpret_cast<const char*>(style);
    // Read as the toolkit reads every face fontconfig lists: whole numbers, regular by default.
    if (FcPatternGetInteger(pattern, FC_WEIGHT, 0, &instance.Weight) != FcResultMatch) {
      instance.Weight = FC_WEIGHT_REGULAR;
    }
    if (FcPatternGetInteger(pattern, FC_SLANT, 0, &instance.Slant) != FcResultMatch) {
      instance.Slant = FC_SLANT_ROMAN;
    }
    if (FcPatternGetInteger(pattern, FC_WIDTH, 0, &instance.Width) != FcResultMatch) {
      instance.Width = FC_WIDTH_NORMAL;
    }
    instances.push_back(std::move(instance));
  }
  return instances;
}

unsigned long Generation() {
  return Changes();
}

_FcFontSet* Snapshot() {
  FcFontSet* set = FcFontSetCreate();
  if (set == nullptr) return nullptr;
  for (const auto& [path, faces] : Files()) {
    for (FcPattern* pattern : faces.Patterns) {
      // The set owns what it holds; each face here stays ours as well.
      FcPatternReference(pattern);
      if (!FcFontSetAdd(set, pattern)) FcPatternDestroy(pattern);
    }
  }
  return set;
}

}  // namespace AddedFaces

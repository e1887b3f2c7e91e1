#include "platform/AddedFaces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fcfreetype.h>

#include <map>
#include <vector>

#include "platform/CollectionFonts.h"
#include "platform/FreeTypeLibrary.h"

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

FT_Library Library() {
  static const FreeTypeLibrary library;
  return library.Handle();
}

// fontconfig's description of face `index` of the bytes, named after the file; nothing for a
// face FreeType cannot open.
FcPattern* Describe(const std::string& path, std::string_view bytes, long index, long* faceCount) {
  FT_Face face = nullptr;
  if (Library() == nullptr ||
      FT_New_Memory_Face(Library(), reinterpret_cast<const FT_Byte*>(bytes.data()),
                         static_cast<FT_Long>(bytes.size()), index, &face) != 0) {
    return nullptr;
  }
  *faceCount = face->num_faces;
  FcPattern* pattern = FcFreeTypeQueryFace(face, reinterpret_cast<const FcChar8*>(path.c_str()),
                                           static_cast<unsigned int>(index), nullptr);
  FT_Done_Face(face);
  return pattern;
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
      if (FcPattern* pattern = Describe(path, bytes, font.Index, &ignored)) {
        faces.Patterns.push_back(pattern);
      }
    }
    return;
  }
  long count = 1;
  for (long index = 0; index < count && index < CollectionFonts::kMaxFonts; ++index) {
    if (FcPattern* pattern = Describe(path, bytes, index, &count)) {
      faces.Patterns.push_back(pattern);
    }
  }
}

void Remove(const std::string& path) {
  if (Files().erase(path) != 0) ++Changes();
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

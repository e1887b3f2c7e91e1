// freetype-names DIR: what glyphera-names prints, read through FreeType with the same choosing
// rule; the anchor for the reader's system calls and bytes per file.
#include <cstdio>
#include <optional>
#include <string>

#include "FreeTypeNames.h"
#include "PreviewOrder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: freetype-names DIR\n");
    return 2;
  }
  static char output[1 << 20];
  std::setvbuf(stdout, output, _IOFBF, sizeof output);
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return 1;
  std::string directory = argv[1];
  if (!directory.empty() && directory.back() != '/') directory += '/';
  for (const std::string& file : TrueTypeFilesInListOrder(directory)) {
    const std::optional<FreeTypeFace> face = ReadFreeTypeNames(library, directory + file);
    if (!face) continue;
    std::printf("%s\t%s\t%s\n", file.c_str(), face->Family.c_str(), face->FullName.c_str());
  }
  FT_Done_FreeType(library);
  return 0;
}

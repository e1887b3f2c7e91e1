// glyphera-names DIR: the faces "Preview Fonts" would list for DIR, read by the program's own
// name reader, one line per face: file, family and full name separated by tabs. A benchmark tool:
// run under strace it shows the system calls and bytes the reader costs per file.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "PreviewOrder.h"
#include "install/FontNameReader.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: glyphera-names DIR\n");
    return 2;
  }
  // One large buffer, so that the output adds next to nothing to the reader's system calls.
  static char output[1 << 20];
  std::setvbuf(stdout, output, _IOFBF, sizeof output);
  const std::string directory = argv[1];
  for (const std::string& file : TrueTypeFilesInListOrder(directory)) {
    const std::optional<FontFace> face = ReadFontNames(directory, file);
    if (!face) continue;
    std::printf("%s\t%s\t%s\n", file.c_str(), face->Entry->FamilyName.c_str(),
                face->FullName.c_str());
  }
  return 0;
}

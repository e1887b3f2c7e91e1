// glyphera-names DIR: the faces "Preview Fonts" would list for DIR, read by the program's own
// name reader with the page's read-ahead, one line per face: file, family and full name separated
// by tabs. A benchmark tool: run under strace it shows the system calls and bytes the reading
// costs per file, the read-ahead's included.
#include <cstdio>
#include <string>
#include <vector>

#include "PreviewOrder.h"
#include "install/FolderReadAhead.h"
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
  const std::vector<std::string> files = TrueTypeFilesInListOrder(directory);
  FolderReadAhead readAhead(directory, files);
  for (std::size_t i = 0; i < files.size(); ++i) {
    readAhead.Reached(i);
    for (const FontFace& face : ReadFontFaces(directory, files[i]))
      std::printf("%s\t%s\t%s\n", files[i].c_str(), face.Entry->FamilyName.c_str(),
                  face.FullName.c_str());
  }
  return 0;
}

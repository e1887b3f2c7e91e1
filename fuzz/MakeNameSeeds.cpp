// Writes the seed files of fuzz/corpus/names/: small TrueType-like files made by the tests'
// builder, a good one of each kind and a few broken in the ways the reader has to survive, so
// the fuzzer starts from inputs that reach the naming table instead of finding it by chance.
//
//   MakeNameSeeds FOLDER

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "fixtures/CollectionBuilder.h"
#include "fixtures/TrueTypeBuilder.h"

namespace {

constexpr std::uint16_t kFamily = 1;
constexpr std::uint16_t kSubfamily = 2;
constexpr std::uint16_t kFullName = 4;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];

  TrueTypeBuilder()
      .MacName(kFamily, "Seed Sans")
      .MacName(kSubfamily, "Regular")
      .MacName(kFullName, "Seed Sans Regular")
      .WriteTo(folder, "mac-names.ttf");
  TrueTypeBuilder()
      .WindowsName(kFamily, u"Seed Serif")
      .WindowsName(kFullName, u"Seed Serif Bold")
      .WriteTo(folder, "windows-names.ttf");
  TrueTypeBuilder()
      .MacName(kFamily, "  \x80uro Caf\xE9  ")
      .MacName(kFullName, "\x93Quoted\x94 \x9F")
      .WriteTo(folder, "windows-1252.ttf");
  TrueTypeBuilder()
      .MacName(kFullName, "Orphan Full Name")
      .MacName(kFamily, "Late Family")
      .MacName(kFullName, "Late Family Italic")
      .WriteTo(folder, "full-name-first.ttf");
  TrueTypeBuilder()
      .Tables({"cmap", "glyf", "head"})
      .MacName(kFamily, "No Table")
      .MacName(kFullName, "No Table Regular")
      .WriteTo(folder, "no-name-table.ttf");
  TrueTypeBuilder()
      .Tables({"name"})
      .NameTableAt(64)
      .NameOffsetTopByte(0x7F)
      .MacName(kFamily, "Far")
      .MacName(kFullName, "Far Away")
      .WriteTo(folder, "name-table-further.ttf");
  TrueTypeBuilder()
      .MacName(kFamily, "Cut")
      .MacName(kFullName, "Cut Short")
      .TruncateAt(60)
      .WriteTo(folder, "truncated.ttf");
  TrueTypeBuilder()
      .MacName(kFamily, "Long")
      .Name({.NameId = kFullName, .Bytes = std::string(120, 'L')})
      .WriteTo(folder, "long-full-name.ttf");
  TrueTypeBuilder()
      .MacName(kFamily, "Short")
      .MacName(kFullName, " x ")
      .WriteTo(folder, "short-full-name.ttf");
  TrueTypeBuilder()
      .MacName(kFamily, "Counted")
      .MacName(kFullName, "Counted Wrong")
      .RecordCount(101)
      .WriteTo(folder, "record-count-too-big.ttf");

  // Collections: two fonts, one of them with CFF outlines, and a count past the offsets.
  const auto bytes = [](const TrueTypeBuilder& font) {
    const std::vector<unsigned char> b = font.Bytes();
    return std::string(b.begin(), b.end());
  };
  const std::string first =
      bytes(TrueTypeBuilder().MacName(kFamily, "One").MacName(kFullName, "One Book"));
  const std::string second =
      "OTTO" +
      bytes(TrueTypeBuilder().MacName(kFamily, "Two").MacName(kFullName, "Two Bold")).substr(4);
  std::ofstream(folder + "/pair.ttc", std::ios::binary) << MakeCollection({first, second});
  std::ofstream(folder + "/count-too-big.ttc", std::ios::binary)
      << MakeCollection({first, second}, 2, 40);
  return 0;
}

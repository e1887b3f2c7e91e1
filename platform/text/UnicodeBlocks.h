#pragma once

#include <string>
#include <vector>

// A block of the Unicode standard: its name as the standard's block list prints it ("Latin
// Extended-A"), its range and how many of its code points are assigned a character.
struct UnicodeBlock {
  std::string Name;
  char32_t First = 0;
  char32_t Last = 0;
  int Assigned = 0;
};

// What a code point is in the Unicode standard, as far as a chart of a font shows it.
enum class CodePointKind {
  Character,   // an assigned graphic (or space, mark, private use...) character
  Control,     // general category Cc
  Format,      // general category Cf
  Unassigned,  // general category Cn
};

// The blocks and general categories of the Unicode version the ICU library on the machine
// carries, read from it once.
class UnicodeBlocks {
 public:
  // Every block, in code point order.
  static const std::vector<UnicodeBlock>& All();
  // The index in All() of the block holding the code point; -1 for one outside every block.
  static int IndexOf(char32_t codePoint);
  static CodePointKind KindOf(char32_t codePoint);
  // The Unicode version, "15.0".
  static std::string Version();
};

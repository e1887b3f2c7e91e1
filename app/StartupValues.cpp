#include "app/StartupValues.h"

namespace StartupValues {

ParagraphSizeTable DefaultParagraphSizes() {
  constexpr std::array<float, kParagraphSizeCount> kPoints = {7,    7.5, 8,    8.5, 9,  9.5, 10,
                                                              10.5, 11,  11.5, 12,  13, 14};
  ParagraphSizeTable table;
  for (std::size_t i = 0; i < table.size(); ++i) {
    table[i].PointSize = kPoints[i];
  }
  return table;
}

std::string ProgramDirOf(const std::string& programFile) {
  const std::size_t slash = programFile.rfind('/');
  if (slash == std::string::npos) return "/";
  return programFile.substr(0, slash + 1);
}

}  // namespace StartupValues

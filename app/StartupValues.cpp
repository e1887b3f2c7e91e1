#include "app/StartupValues.h"

#include "platform/storage/ProgramFolder.h"

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
  return ProgramFolder::DirOf(programFile);
}

std::string InstallFolderFor(const std::string& registryValue, const std::string& fallback) {
  const std::size_t end = registryValue.find_last_not_of('/');
  if (registryValue.empty() || registryValue[0] != '/' || end == std::string::npos) {
    return fallback.ends_with('/') ? fallback : fallback + "/";
  }
  return registryValue.substr(0, end + 1) + "/";
}

}  // namespace StartupValues

#include "install/CoverageFaces.h"

#include <filesystem>

#include "install/FontFileEntry.h"
#include "widgets/ListBox.h"

std::vector<CoverageFace> CoverageFacesOf(const ListBox& list, const std::string& dir) {
  std::vector<CoverageFace> faces;
  for (int i = 0; i < list.Count(); ++i) {
    const auto entry = list.ObjectAs<FontFileEntry>(i);
    if (entry)
      faces.push_back(
          {(std::filesystem::path(dir) / entry->FileName).string(), entry->FaceIndex, {}});
  }
  return faces;
}

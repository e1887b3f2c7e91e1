#include "printing/FontSheets.h"

std::string SheetTitle(SheetKind kind, const std::string& face) {
  std::string title = std::string("Glyphera - ") + SheetFor(kind).Name();
  if (!face.empty()) title += " - " + face;
  return title;
}

std::string JobTitle(const std::vector<SheetKind>& kinds, std::size_t faces,
                     const std::string& onlyFace) {
  std::string title = "Glyphera - ";
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    title += std::string(i == 0 ? "" : ", ") + SheetFor(kinds[i]).Name();
  }
  return title + " - " + (faces == 1 ? onlyFace : std::to_string(faces) + " faces");
}

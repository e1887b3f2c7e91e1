#include "platform/FaceFont.h"

#include "platform/QtText.h"

QFont FaceFont(const std::string& faceName, double points, bool bold, bool italic) {
  QFont font;
  SetFaceName(font, faceName);
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

void SetFaceName(QFont& font, const std::string& faceName) {
  font.setFamilies(QStringList{ToQString(faceName)});
  font.setStyleStrategy(QFont::NoFontMerging);
}

#include "platform/FaceFont.h"

#include <QFontDatabase>

#include "platform/FullNameLookup.h"
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
  const QString name = ToQString(faceName);
  font.setStyleStrategy(QFont::NoFontMerging);
  font.setStyleName(QString());
  // A face may be named by its full name, which selects that one face of its family.
  if (!name.isEmpty() && !QFontDatabase::hasFamily(name)) {
    if (const auto face = FaceByFullName(faceName)) {
      font.setFamilies(QStringList{ToQString(face->Family)});
      font.setStyleName(ToQString(face->Style));
      return;
    }
  }
  font.setFamilies(QStringList{name});
}

#include "widgets/DesignFonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "widgets/DesignScale.h"

QString FirstInstalledFamily(const QStringList& families) {
  for (const QString& family : families) {
    if (QFontDatabase::hasFamily(family)) return family;
  }
  return families.isEmpty() ? QString() : families.back();
}

QFont DesignFont(const DesignScale& scale, int designPixelHeight, bool bold) {
  // Looked up once: the fonts installed while the program runs do not change the design's.
  static const QString family = FirstInstalledFamily(
      {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
       QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
  QFont font;
  font.setFamily(family);
  font.setPixelSize(scale(designPixelHeight));
  font.setBold(bold);
  return font;
}

#include "widgets/DesignFonts.h"

#include <QStringList>

#include "platform/fonts/FontconfigListing.h"
#include "widgets/DesignScale.h"

QString FirstInstalledFamily(const QStringList& families) {
  for (const QString& family : families) {
    if (IsInstalledFamily(family.toStdString())) return family;
  }
  return families.isEmpty() ? QString() : families.back();
}

const QString& DesignFamily() {
  // Looked up once: the fonts installed while the program runs do not change the design's.
  static const QString family = FirstInstalledFamily(
      {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
       QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
  return family;
}

QFont DesignFont(const DesignScale& scale, int designPixelHeight, bool bold) {
  QFont font;
  font.setFamily(DesignFamily());
  font.setPixelSize(scale(designPixelHeight));
  font.setBold(bold);
  return font;
}

#include "app/DesignFonts.h"

#include <QStringList>

#include "app/DesignScale.h"

QFont DesignFont(const DesignScale& scale, int designPixelHeight, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans"),
                    QStringLiteral("Sans Serif")});
  font.setPixelSize(scale(designPixelHeight));
  font.setBold(bold);
  return font;
}

#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>

class DesignScale;

// The fonts and colours the windows were designed with. "MS Sans Serif" is not a Linux font, so
// it is asked for first and the metric-compatible sans faces stand behind it.
QFont DesignFont(const DesignScale& scale, int designPixelHeight, bool bold);

// The installed family the design fonts are drawn in.
const QString& DesignFamily();

// The first of the families that is installed, else the last. A font is given this one family
// rather than the list: for a font with more than one family the toolkit ranks every installed
// family against every other when it first draws, which with thousands of families takes a
// fifth of a second for each family and style asked for.
QString FirstInstalledFamily(const QStringList& families);

namespace DesignColors {
inline const QColor Silver{0xC0, 0xC0, 0xC0};
inline const QColor Navy{0x00, 0x00, 0x80};
inline const QColor Purple{0x80, 0x00, 0x80};
inline const QColor Aqua{0x00, 0xFF, 0xFF};
inline const QColor Blue{0x00, 0x00, 0xFF};
inline const QColor Yellow{0xFF, 0xFF, 0x00};
inline const QColor White{0xFF, 0xFF, 0xFF};
inline const QColor Black{0x00, 0x00, 0x00};
}  // namespace DesignColors

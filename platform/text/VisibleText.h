#pragma once

#include <QPointF>
#include <QString>

class QFont;
class QPaintDevice;
class QPainter;

// One line of text with every character shown as the face draws it. The toolkit's shaping
// hides the soft hyphen (U+00AD), which faces map to a hyphen glyph of their own; a character
// shown for its code must show that glyph, as a plain text output does.
void DrawVisibleText(QPainter& painter, const QPointF& baseline, const QString& text);

// The width DrawVisibleText gives the text in the font on the device.
int VisibleTextWidth(const QFont& font, QPaintDevice* device, const QString& text);

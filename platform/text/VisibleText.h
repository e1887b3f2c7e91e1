#pragma once

#include <QPointF>
#include <QString>
#include <string>
#include <string_view>

class QFont;
class QPaintDevice;
class QPainter;

// One line of text with every character shown as the face draws it. The toolkit's shaping
// hides the soft hyphen (U+00AD), which faces map to a hyphen glyph of their own; a character
// shown for its code must show that glyph, as a plain text output does.
void DrawVisibleText(QPainter& painter, const QPointF& baseline, const QString& text);

// The width DrawVisibleText gives the text in the font on the device.
int VisibleTextWidth(const QFont& font, QPaintDevice* device, const QString& text);

// The UTF-8 text with each bidirectional formatting character (U+061C, U+200E, U+200F,
// U+202A..U+202E, U+2066..U+2069) written as its code, "<U+202E>": a name from outside shown in a
// list must neither reorder the text around it nor hide that it holds one.
std::string WithBidiControlsShown(std::string_view utf8);

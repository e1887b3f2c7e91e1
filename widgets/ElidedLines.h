#pragma once

#include <QString>

class QFont;
class QPaintDevice;

// The text as word wrapping lays it out in lines of the given width, cut so that it takes at most
// maxLines lines, none of them wider than the width. A cut text ends with "…" and, where the first
// word allows it, ends after a whole word. A text that fits, or a maxLines below 1, comes back as
// it is. The device, when given, is the one the text is drawn on, whose resolution sizes the font.
QString ElidedLines(const QString& text, const QFont& font, int width, int maxLines,
                    const QPaintDevice* device = nullptr);

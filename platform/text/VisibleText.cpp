#include "platform/text/VisibleText.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <cmath>

namespace {

constexpr char16_t kSoftHyphen = 0x00AD;

// The face's own glyph for the soft hyphen, looked up in its character map without shaping.
QGlyphRun SoftHyphenRun(const QFont& font, QPaintDevice* device, qreal& advance) {
  QFont onDevice(font, device);
  const QRawFont raw = QRawFont::fromFont(onDevice);
  const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(kSoftHyphen)));
  QGlyphRun run;
  advance = 0;
  if (!raw.isValid() || glyphs.isEmpty() || glyphs.front() == 0) return run;
  advance = raw.advancesForGlyphIndexes(glyphs).value(0).x();
  run.setRawFont(raw);
  run.setGlyphIndexes(glyphs);
  run.setPositions({QPointF(0, 0)});
  return run;
}

// Calls `text` for each stretch between soft hyphens and `hyphen` for each soft hyphen.
template <typename Text, typename Hyphen>
void Split(const QString& text, Text&& onText, Hyphen&& onHyphen) {
  qsizetype start = 0;
  for (qsizetype at = text.indexOf(QChar(kSoftHyphen)); at >= 0;
       at = text.indexOf(QChar(kSoftHyphen), start)) {
    if (at > start) onText(text.mid(start, at - start));
    onHyphen();
    start = at + 1;
  }
  if (start < text.size()) onText(text.mid(start));
}

}  // namespace

void DrawVisibleText(QPainter& painter, const QPointF& baseline, const QString& text) {
  if (!text.contains(QChar(kSoftHyphen))) {
    painter.drawText(baseline, text);
    return;
  }
  const QFontMetricsF metrics(painter.font(), painter.device());
  qreal x = baseline.x();
  Split(
      text,
      [&](const QString& part) {
        painter.drawText(QPointF(x, baseline.y()), part);
        x += metrics.horizontalAdvance(part);
      },
      [&] {
        qreal advance = 0;
        const QGlyphRun run = SoftHyphenRun(painter.font(), painter.device(), advance);
        if (!run.glyphIndexes().isEmpty()) painter.drawGlyphRun(QPointF(x, baseline.y()), run);
        x += advance;
      });
}

int VisibleTextWidth(const QFont& font, QPaintDevice* device, const QString& text) {
  const QFontMetrics metrics(font, device);
  if (!text.contains(QChar(kSoftHyphen))) return metrics.horizontalAdvance(text);
  qreal width = 0;
  Split(
      text, [&](const QString& part) { width += metrics.horizontalAdvance(part); },
      [&] {
        qreal advance = 0;
        SoftHyphenRun(font, device, advance);
        width += advance;
      });
  return static_cast<int>(std::lround(width));
}

#include "platform/text/VisibleText.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <array>
#include <cmath>
#include <cstdio>

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

std::string WithBidiControlsShown(std::string_view utf8) {
  // The characters' UTF-8 forms, each with its code.
  struct Control {
    std::string_view Bytes;
    char32_t Code;
  };
  static constexpr std::array<Control, 12> kControls = {{{"\xD8\x9C", 0x061C},
                                                         {"\xE2\x80\x8E", 0x200E},
                                                         {"\xE2\x80\x8F", 0x200F},
                                                         {"\xE2\x80\xAA", 0x202A},
                                                         {"\xE2\x80\xAB", 0x202B},
                                                         {"\xE2\x80\xAC", 0x202C},
                                                         {"\xE2\x80\xAD", 0x202D},
                                                         {"\xE2\x80\xAE", 0x202E},
                                                         {"\xE2\x81\xA6", 0x2066},
                                                         {"\xE2\x81\xA7", 0x2067},
                                                         {"\xE2\x81\xA8", 0x2068},
                                                         {"\xE2\x81\xA9", 0x2069}}};
  std::string shown;
  shown.reserve(utf8.size());
  while (!utf8.empty()) {
    const auto control = std::find_if(kControls.begin(), kControls.end(), [utf8](const Control& c) {
      return utf8.starts_with(c.Bytes);
    });
    if (control == kControls.end()) {
      shown += utf8.front();
      utf8.remove_prefix(1);
      continue;
    }
    char code[16];
    std::snprintf(code, sizeof code, "<U+%04X>", static_cast<unsigned>(control->Code));
    shown += code;
    utf8.remove_prefix(control->Bytes.size());
  }
  return shown;
}

#include "widgets/ElidedLines.h"

#include <QFont>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <algorithm>

namespace {

const QChar kEllipsis(0x2026);

struct Wrapping {
  bool fits = true;
  // Where the text of the first maxLines lines ends.
  qsizetype end = 0;
};

Wrapping Wrap(const QString& text, const QFont& font, int width, int maxLines,
              const QPaintDevice* device) {
  // Drawn text breaks its lines at "\n" as well.
  QString lines = text;
  lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(lines, font, device);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  Wrapping wrapping;
  layout.beginLayout();
  int count = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    if (++count > maxLines) {
      wrapping.fits = false;
      break;
    }
    // A word wider than the line sticks out of it, where the control would clip it.
    if (line.naturalTextWidth() > width) wrapping.fits = false;
    wrapping.end = line.textStart() + line.textLength();
  }
  layout.endLayout();
  return wrapping;
}

// The text before the cut, without the blanks and list separators that led up to it, and "…".
QString CutAt(const QString& text, qsizetype cut) {
  QString kept = text.left(cut);
  while (!kept.isEmpty() && (kept.back().isSpace() || kept.back() == QLatin1Char(',') ||
                             kept.back() == QLatin1Char(';')))
    kept.chop(1);
  return kept + kEllipsis;
}

// The longest cut at a boundary of this kind, no later than the end, that fits; empty if none.
QString CutAtBoundary(QTextBoundaryFinder::BoundaryType type, const QString& text, qsizetype end,
                      const QFont& font, int width, int maxLines, const QPaintDevice* device) {
  QTextBoundaryFinder boundaries(type, text);
  boundaries.setPosition(std::min(end + 1, text.size()));
  for (qsizetype cut = boundaries.toPreviousBoundary(); cut > 0;
       cut = boundaries.toPreviousBoundary()) {
    const QString cutText = CutAt(text, cut);
    if (Wrap(cutText, font, width, maxLines, device).fits) return cutText;
  }
  return {};
}

}  // namespace

QString ElidedLines(const QString& text, const QFont& font, int width, int maxLines,
                    const QPaintDevice* device) {
  if (maxLines < 1) return text;
  const Wrapping whole = Wrap(text, font, width, maxLines, device);
  if (whole.fits) return text;
  // Whole words first: the places where wrapping may break a line. Only a first word too wide
  // for the lines is cut inside.
  for (const auto type : {QTextBoundaryFinder::Line, QTextBoundaryFinder::Grapheme}) {
    const QString cut = CutAtBoundary(type, text, whole.end, font, width, maxLines, device);
    if (!cut.isEmpty()) return cut;
  }
  return kEllipsis;
}

#include "platform/PainterSurface.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/FaceFont.h"
#include "platform/QtText.h"
#include "platform/Rounding.h"

PainterSurface::PainterSurface(QPainter& painter, int dpiX, int dpiY, const QRect& clip)
    : painter_(painter), dpiX_(dpiX), dpiY_(dpiY), clip_(clip) {
  painter_.setPen(QPen(Qt::black, 1));
  painter_.setBackground(Qt::white);
  painter_.setBackgroundMode(Qt::TransparentMode);
}

void PainterSurface::SetFont(const SurfaceFont& font) {
  QFont qfont = FaceFont(font.Face, font.Points, font.Bold, font.Italic);
  // A font of n points is n/72 inch from the top of its tallest letters to the bottom of its
  // descenders, on whatever device it is drawn.
  qfont.setPixelSize(std::max(1, RoundHalfAway(font.Points * static_cast<double>(dpiY_) / 72.0)));
  painter_.setFont(qfont);
}

void PainterSurface::TextOut(int x, int y, const std::string& text) {
  const QString shown = ToQString(text);
  const QFontMetrics metrics(painter_.font(), painter_.device());
  const QRect cells(x, y, metrics.horizontalAdvance(shown), metrics.height());
  painter_.fillRect(cells, Qt::white);
  painter_.drawText(QPoint(x, y + metrics.ascent()), shown);
}

int PainterSurface::TextWidth(const std::string& text) {
  return QFontMetrics(painter_.font(), painter_.device()).horizontalAdvance(ToQString(text));
}

void PainterSurface::SetPenWidth(int width) {
  QPen pen = painter_.pen();
  pen.setWidth(width);
  painter_.setPen(pen);
}

void PainterSurface::MoveTo(int x, int y) {
  pen_ = QPoint(x, y);
}

void PainterSurface::LineTo(int x, int y) {
  const QPoint to(x, y);
  painter_.drawLine(pen_, to);
  pen_ = to;
}

int PainterSurface::DrawText(const std::string& text, const SurfaceRect& bounds, bool wordBreak) {
  const QRect rect(QPoint(bounds.Left, bounds.Top), QPoint(bounds.Right - 1, bounds.Bottom - 1));
  const int flags = Qt::AlignLeft | Qt::AlignTop | (wordBreak ? Qt::TextWordWrap : 0);
  const QString shown = ToDisplayLines(text);
  const QRect laidOut =
      QFontMetrics(painter_.font(), painter_.device()).boundingRect(rect, flags, shown);
  painter_.save();
  painter_.setClipRect(rect, Qt::IntersectClip);
  painter_.fillRect(laidOut.intersected(rect), Qt::white);
  painter_.drawText(rect, flags, shown);
  painter_.restore();
  return laidOut.height();
}

bool PainterSurface::NeedsRows(int top, int bottom) {
  if (clip_.isNull()) return true;
  return bottom > clip_.top() && top <= clip_.bottom();
}

#include "platform/PainterSurface.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>

#include "platform/FaceFont.h"
#include "platform/QtText.h"
#include "platform/Rounding.h"
#include "platform/VisibleText.h"

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
  traits_ = TraitsOfFace(font.Face, font.Bold, font.Italic);
}

void PainterSurface::TextOut(int x, int y, const std::string& text) {
  const QString shown = ToQString(text);
  const QFontMetrics metrics(painter_.font(), painter_.device());
  const QPointF baseline(x, y + metrics.ascent());
  // The toolkit embolds and slants a face that lacks the style as it rasterises it; a PDF page
  // holds the face's own outlines, so there the style is added by drawing: slanted as the
  // rasteriser slants, and emboldened by overstriking across the width the rasteriser adds.
  const bool addsStyles = painter_.paintEngine() != nullptr &&
                          painter_.paintEngine()->type() == QPaintEngine::Pdf &&
                          (traits_.AddedBold || traits_.AddedItalic);
  if (!addsStyles) {
    DrawVisibleText(painter_, baseline, shown);
    return;
  }
  constexpr double kSlant = 0.2126;  // the rasteriser's oblique shear, 0x366A / 0x10000
  constexpr int kStrikes = 4;
  const double emboldening = traits_.AddedBold ? painter_.font().pixelSize() / 24.0 : 0.0;
  painter_.save();
  painter_.translate(baseline);
  if (traits_.AddedItalic) painter_.setTransform(QTransform().shear(-kSlant, 0), true);
  for (int strike = 0; strike < (traits_.AddedBold ? kStrikes : 1); ++strike) {
    DrawVisibleText(painter_, QPointF(emboldening * strike / (kStrikes - 1), 0), shown);
  }
  painter_.restore();
}

int PainterSurface::TextWidth(const std::string& text) {
  return VisibleTextWidth(painter_.font(), painter_.device(), ToQString(text));
}

bool PainterSurface::SymbolFont() {
  return traits_.Symbol;
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
  painter_.drawText(rect, flags, shown);
  painter_.restore();
  return laidOut.height();
}

bool PainterSurface::NeedsRows(int top, int bottom) {
  if (clip_.isNull()) return true;
  return bottom > clip_.top() && top <= clip_.bottom();
}

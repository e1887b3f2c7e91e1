#include "widgets/PaintBox.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/drawing/PainterSurface.h"

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {}

void PaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  if (!OnPaint) return;
  PainterSurface surface(painter, logicalDpiX(), logicalDpiY(), event->rect());
  OnPaint(surface);
}

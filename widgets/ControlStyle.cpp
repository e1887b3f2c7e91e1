#include "widgets/ControlStyle.h"

#include <QFrame>
#include <QPalette>
#include <QWidget>

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette p = widget->palette();
  p.setColor(QPalette::WindowText, color);
  p.setColor(QPalette::Text, color);
  p.setColor(QPalette::ButtonText, color);
  widget->setPalette(p);
}

void SetBackground(QWidget* widget, const QColor& color) {
  QPalette p = widget->palette();
  p.setColor(QPalette::Window, color);
  widget->setPalette(p);
  widget->setAutoFillBackground(true);
}

void SetFieldColor(QWidget* widget, const QColor& color) {
  QPalette p = widget->palette();
  p.setColor(QPalette::Window, color);
  p.setColor(QPalette::Base, color);
  widget->setPalette(p);
  widget->setAutoFillBackground(true);
}

QFrame* LoweredPanel(QWidget* parent, const QRect& place) {
  auto* panel = new QFrame(parent);
  panel->setGeometry(place);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(1);
  return panel;
}

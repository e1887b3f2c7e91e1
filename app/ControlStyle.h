#pragma once

#include <QColor>

class QFrame;
class QWidget;

// Small helpers for the look the windows were designed with.
void SetTextColor(QWidget* widget, const QColor& color);
void SetBackground(QWidget* widget, const QColor& color);
// A panel with a lowered bevel.
QFrame* LoweredPanel(QWidget* parent);

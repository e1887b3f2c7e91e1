#pragma once

#include <QColor>
#include <QRect>

class QFrame;
class QWidget;

// Small helpers for the look the windows were designed with.
void SetTextColor(QWidget* widget, const QColor& color);
// The ground of a window, page or panel; controls on it keep their own field colour.
void SetBackground(QWidget* widget, const QColor& color);
// The ground of a control that holds text or items (list, memo, grid, edit box) and of the
// panel around it.
void SetFieldColor(QWidget* widget, const QColor& color);
// A panel with a lowered bevel, at its place.
QFrame* LoweredPanel(QWidget* parent, const QRect& place);

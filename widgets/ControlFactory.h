#pragma once

#include <QColor>
#include <QRect>

class CheckBox;
class Label;
class Memo;
class QFrame;
class QPushButton;
class QWidget;
class SpinEdit;

// Creates a control at its place on a page.
Label* MakeLabel(const char* caption, QWidget* parent, const QRect& place);
CheckBox* MakeCheck(const char* caption, QWidget* parent, const QRect& place,
                    const QColor& color = QColor());
QPushButton* MakeButton(const char* caption, QWidget* parent, const QRect& place);
// A memo filling a panel inside its bevel of the given width, named for screen readers.
Memo* MakePanelMemo(QFrame* panel, int bevel, const char* accessibleName);
// A spin edit with the label that names it (and takes its underlined letter) as buddy.
SpinEdit* MakeSpin(int minValue, int maxValue, int value, QWidget* parent, const QRect& place,
                   Label* label);

#pragma once

class DesignScale;
class Label;
class QFrame;
class QScrollArea;
class PaintBox;
class QWidget;
class SpinEdit;

// The controls of the Show All Selected page: a tall paint box in a scroll box.
struct ShowAllPage {
  ShowAllPage(QWidget* tab, const DesignScale& scale);

  Label* Label4;
  Label* Label3;
  SpinEdit* spnSelected;
  QFrame* Panel5;
  QScrollArea* ScrollBox1;
  // What the scroll box scrolls over: its height is the vertical scroll range.
  QWidget* ScrollRange;
  PaintBox* pbxSelected;
};

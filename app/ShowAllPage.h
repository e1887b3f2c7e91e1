#pragma once

class DesignScale;
class QScrollArea;
class PaintBox;
class QWidget;
class SpinEdit;

// The controls of the Show All Selected page: a tall paint box in a scroll box.
struct ShowAllPage {
  ShowAllPage(QWidget* tab, const DesignScale& scale);

  SpinEdit* spnSelected;
  QScrollArea* ScrollBox1;
  // What the scroll box scrolls over: its height is the vertical scroll range.
  QWidget* ScrollRange;
  PaintBox* pbxSelected;
};

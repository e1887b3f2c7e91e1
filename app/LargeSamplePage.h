#pragma once

class CheckBox;
class DesignScale;
class Label;
class Memo;
class QWidget;
class SpinEdit;

// The controls of the Large Sample page.
struct LargeSamplePage {
  LargeSamplePage(QWidget* tab, const DesignScale& scale);

  Label* lblLargeSample;
  CheckBox* chkLargeBold;
  CheckBox* chkLargeItalic;
  SpinEdit* spnLargeSample;
  Memo* memLargeSample;
};

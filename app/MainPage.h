#pragma once

#include <array>

class CheckBox;
class DesignScale;
class Edit;
class Label;
class ListBox;
class Memo;
class QPushButton;
class QWidget;
class SpinEdit;

// The controls of the Main page: font list, sample, print options and command buttons.
struct MainPage {
  MainPage(QWidget* tab, const DesignScale& scale);

  Label* lblFonts;
  Label* lblSelected;
  Label* lblSample;
  ListBox* lstFonts;
  Memo* memDispFont;
  Label* lblFontType;
  Label* lblStyles;

  CheckBox* chkBold;
  CheckBox* chkItalic;
  CheckBox* chkSample;
  SpinEdit* spnSampleSize;
  CheckBox* chkCharChart;
  CheckBox* chkFullPage;
  CheckBox* chkPara;
  // chkPara7, chkPara75, chkPara8, chkPara85, chkPara9, chkPara95, chkPara10, chkPara105,
  // chkPara11, chkPara115, chkPara12, chkPara13, chkPara14: one per paragraph size, in order.
  std::array<CheckBox*, 13> chkParaSizes;

  SpinEdit* spnPointSize;
  CheckBox* chkSampleBold;
  CheckBox* chkSampleItalic;

  QPushButton* cmdHeadingFont;
  QPushButton* cmdSelectAll;
  QPushButton* cmdPrintSetup;
  QPushButton* cmdPrint;
};

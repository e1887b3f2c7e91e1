#pragma once

#include <array>

class CheckBox;
class DesignScale;
class Edit;
class Label;
class ListBox;
class Memo;
class QFrame;
class QGroupBox;
class QPushButton;
class QWidget;
class SpinEdit;

// The controls of the Main page: font list, sample, print options and command buttons.
struct MainPage {
  MainPage(QWidget* tab, const DesignScale& scale);

  Label* lblFonts;
  Label* lblSelected;
  Label* lblSample;
  QFrame* Panel1;
  ListBox* lstFonts;
  QFrame* Panel2;
  Memo* memDispFont;
  Label* lblFontType;
  Label* lblStyles;

  QFrame* Panel3;
  Label* Label19;
  QFrame* Bevel2;
  CheckBox* chkBold;
  CheckBox* chkItalic;
  CheckBox* chkSample;
  Label* Label20;
  SpinEdit* spnSampleSize;
  CheckBox* chkCharChart;
  CheckBox* chkFullPage;
  CheckBox* chkPara;
  QGroupBox* GroupBox2;
  // chkPara7, chkPara75, chkPara8, chkPara85, chkPara9, chkPara95, chkPara10, chkPara105,
  // chkPara11, chkPara115, chkPara12, chkPara13, chkPara14: one per paragraph size, in order.
  std::array<CheckBox*, 13> chkParaSizes;

  QGroupBox* GroupBox4;
  Label* Label1;
  SpinEdit* spnPointSize;
  CheckBox* chkSampleBold;
  CheckBox* chkSampleItalic;

  QGroupBox* GroupBox5;
  QPushButton* cmdHeadingFont;
  QPushButton* cmdSelectAll;
  QPushButton* cmdPrintSetup;
  QPushButton* cmdPrint;
};

#pragma once

class CheckBox;
class DesignScale;
class Grid;
class Label;
class QFrame;
class QWidget;

// The controls of the Font Map page.
struct FontMapPage {
  FontMapPage(QWidget* tab, const DesignScale& scale);

  Label* lblGridHeading;
  QFrame* Panel6;
  Grid* grdFontMap;
  Label* lblCurrChar;
  Label* pnlCurrChar;
  QFrame* Bevel3;
  CheckBox* chkGridBold;
  CheckBox* chkGridItalic;
};

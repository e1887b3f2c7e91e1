#pragma once

class CheckBox;
class DesignScale;
class Grid;
class Label;
class QWidget;

// The controls of the Font Map page.
struct FontMapPage {
  FontMapPage(QWidget* tab, const DesignScale& scale);

  Label* lblGridHeading;
  Grid* grdFontMap;
  Label* lblCurrChar;
  Label* pnlCurrChar;
  CheckBox* chkGridBold;
  CheckBox* chkGridItalic;
};

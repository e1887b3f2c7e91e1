#include "app/FontMapPage.h"

#include <QFrame>

#include "viewing/FontMap.h"
#include "widgets/CheckBox.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/Grid.h"
#include "widgets/Label.h"

FontMapPage::FontMapPage(QWidget* tab, const DesignScale& s) {
  lblGridHeading = MakeLabel("Font Name", tab, s.Rect(20, 16, 737, 26));
  lblGridHeading->setFont(DesignFont(s, 20, true));
  lblGridHeading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  const QRect designedPanel = s.Rect(12, 52, 745, 225);
  QFrame* Panel6 = LoweredPanel(tab, designedPanel);
  SetFieldColor(Panel6, DesignColors::White);
  grdFontMap = new Grid(FontMap::kColumns, FontMap::kRows, Panel6);
  grdFontMap->SetDefaultColWidth(22, s);
  grdFontMap->SetDefaultRowHeight(s(30));
  grdFontMap->setAccessibleName(QStringLiteral("Font map"));
  // Equal cells in the screen's pixels rarely fill the designed size once it is scaled, so the
  // grid takes the size of its cells and frame (737 x 218 at 120 dpi), and the panel keeps its
  // margin round it and its designed middle.
  const int margin = s(4);
  const QSize grid = grdFontMap->FittingSize();
  const QSize panel = grid + QSize(2 * margin, 2 * margin);
  Panel6->setGeometry(designedPanel.left() + (designedPanel.width() - panel.width()) / 2,
                      designedPanel.top(), panel.width(), panel.height());
  grdFontMap->setGeometry(margin, margin, grid.width(), grid.height());

  lblCurrChar = MakeLabel("Current Character", tab, s.Rect(300, 290, 300, 16));
  pnlCurrChar = MakeLabel("A", tab, s.Rect(344, 312, 93, 83));
  pnlCurrChar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnlCurrChar->setAlignment(Qt::AlignCenter);
  SetFieldColor(pnlCurrChar, DesignColors::White);
  pnlCurrChar->setFont(DesignFont(s, 50, false));

  auto* Bevel3 = new QFrame(tab);
  Bevel3->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel3->setGeometry(s.Rect(680, 290, 80, 48));
  chkGridBold = MakeCheck("&Bold", tab, s.Rect(688, 296, 66, 17));
  chkGridItalic = MakeCheck("&Italic", tab, s.Rect(688, 316, 66, 17));
}

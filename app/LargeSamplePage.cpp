#include "app/LargeSamplePage.h"

#include <QFrame>

#include "widgets/CheckBox.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/Label.h"
#include "widgets/Memo.h"
#include "widgets/SpinEdit.h"

LargeSamplePage::LargeSamplePage(QWidget* tab, const DesignScale& s) {
  lblLargeSample = MakeLabel("Font Name", tab, s.Rect(8, 10, 530, 26));
  lblLargeSample->setFont(DesignFont(s, 20, true));
  chkLargeBold = MakeCheck("&Bold", tab, s.Rect(548, 5, 70, 17));
  chkLargeItalic = MakeCheck("&Italic", tab, s.Rect(548, 23, 70, 17));
  Label* Label2 = MakeLabel("Point Size", tab, s.Rect(620, 17, 86, 16));
  Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  spnLargeSample = MakeSpin(4, 60, 24, tab, s.Rect(712, 12, 49, 24), Label2);

  QFrame* Panel4 = LoweredPanel(tab, s.Rect(0, 48, 769, 441));
  SetFieldColor(Panel4, DesignColors::White);
  memLargeSample = MakePanelMemo(Panel4, s(2), "Large sample");
  memLargeSample->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memLargeSample->SetFont(DesignFont(s, 40, false));
}

#include "app/ShowAllPage.h"

#include <QFrame>
#include <QScrollArea>
#include <QScrollBar>

#include "widgets/ControlFactory.h"
#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/Label.h"
#include "widgets/PaintBox.h"
#include "widgets/SpinEdit.h"

ShowAllPage::ShowAllPage(QWidget* tab, const DesignScale& s) {
  Label* Label4 = MakeLabel("Selected Fonts", tab, s.Rect(4, 8, 300, 26));
  Label4->setFont(DesignFont(s, 20, true));
  Label* Label3 = MakeLabel("Point Size", tab, s.Rect(572, 16, 140, 16));
  Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  spnSelected = MakeSpin(4, 60, 12, tab, s.Rect(720, 8, 49, 24), Label3);

  QFrame* Panel5 = LoweredPanel(tab, s.Rect(0, 45, 771, 444));
  SetFieldColor(Panel5, DesignColors::White);
  ScrollBox1 = new QScrollArea(Panel5);
  ScrollBox1->setGeometry(s.Rect(4, 4, 763, 436));
  ScrollBox1->setFrameStyle(QFrame::NoFrame);
  ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The window's keys page the view; the box itself takes neither focus nor keys.
  ScrollBox1->setFocusPolicy(Qt::NoFocus);
  SetFieldColor(ScrollBox1, DesignColors::White);
  ScrollRange = new QWidget();
  ScrollRange->setFixedSize(s(741), s(6000));
  SetFieldColor(ScrollRange, DesignColors::White);
  pbxSelected = new PaintBox(ScrollRange);
  pbxSelected->setGeometry(0, 0, s(741), s(6000));
  SetFieldColor(pbxSelected, DesignColors::White);
  ScrollBox1->setWidget(ScrollRange);
  ScrollBox1->setAccessibleName(QStringLiteral("Selected fonts"));
}

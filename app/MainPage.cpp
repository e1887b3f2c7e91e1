#include "app/MainPage.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>

#include "widgets/CheckBox.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/SpinEdit.h"
#include "widgets/TitleOnFrameStyle.h"

namespace {

struct ParaBox {
  const char* caption;
  int left;
  int top;
};

// Three columns of the paragraph point sizes.
constexpr std::array<ParaBox, 13> kParaBoxes = {{{"7", 10, 18},
                                                 {"7.5", 10, 38},
                                                 {"8", 10, 58},
                                                 {"8.5", 10, 78},
                                                 {"9", 10, 98},
                                                 {"9.5", 72, 18},
                                                 {"10", 72, 38},
                                                 {"10.5", 72, 58},
                                                 {"11", 72, 78},
                                                 {"11.5", 136, 18},
                                                 {"12", 136, 38},
                                                 {"13", 136, 58},
                                                 {"14", 136, 78}}};

}  // namespace

MainPage::MainPage(QWidget* tab, const DesignScale& s) {
  using DesignColors::Navy;
  using DesignColors::Purple;
  lblFonts = MakeLabel("Fonts", tab, s.Rect(8, 10, 160, 16));
  lblSelected = MakeLabel("Selected", tab, s.Rect(172, 10, 110, 16));
  lblSample = MakeLabel("Sample", tab, s.Rect(288, 10, 473, 16));

  QFrame* Panel1 = LoweredPanel(tab, s.Rect(4, 31, 261, 456));
  lstFonts = new ListBox(Panel1);
  lstFonts->setGeometry(s.Rect(2, 2, 257, 452));
  lstFonts->SetMultiSelect(true);
  lstFonts->SetSorted(true);
  lstFonts->SetItemHeight(s(16));
  SetFieldColor(lstFonts, DesignColors::White);
  lstFonts->setAccessibleName(QStringLiteral("Fonts"));

  QFrame* Panel2 = LoweredPanel(tab, s.Rect(284, 31, 477, 100));
  memDispFont = MakePanelMemo(Panel2, s(2), "Sample");
  memDispFont->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // A tall face (C059) would show the top of a third line cut off in the fixed panel.
  memDispFont->SetWholeLines(true);

  lblFontType = MakeLabel("", tab, s.Rect(285, 140, 324, 16));
  lblStyles = MakeLabel("", tab, s.Rect(285, 159, 329, 34));
  lblStyles->setWordWrap(true);
  // The label is two lines high; a family with many styles would slice a third line.
  lblStyles->SetMaxLines(2);
  lblStyles->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  QFrame* Panel3 = LoweredPanel(tab, s.Rect(288, 202, 237, 285));
  Label* Label19 = MakeLabel("Print Options", Panel3, s.Rect(8, 6, 221, 18));
  Label19->setAlignment(Qt::AlignCenter);
  auto* Bevel2 = new QFrame(Panel3);
  Bevel2->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  Bevel2->setGeometry(s.Rect(8, 26, 221, 4));
  chkBold = MakeCheck("Bold", Panel3, s.Rect(12, 36, 64, 17), Purple);
  chkItalic = MakeCheck("Italic", Panel3, s.Rect(80, 36, 70, 17), Purple);
  chkSample = MakeCheck("&Sample Text", Panel3, s.Rect(12, 60, 120, 17), Navy);
  Label* Label20 = MakeLabel("Size", Panel3, s.Rect(138, 60, 36, 16));
  SetTextColor(Label20, Navy);
  spnSampleSize = MakeSpin(4, 60, 11, Panel3, s.Rect(176, 52, 49, 24), Label20);
  chkCharChart = MakeCheck("&Character Chart", Panel3, s.Rect(12, 80, 160, 17), Navy);
  chkFullPage = MakeCheck("F&ull Page Sample", Panel3, s.Rect(12, 100, 160, 17), Navy);
  chkPara = MakeCheck("&Text Paragraphs", Panel3, s.Rect(12, 120, 160, 17), Navy);

  auto* GroupBox2 = new QGroupBox(QStringLiteral(" Paragraph Point Sizes "), Panel3);
  GroupBox2->setGeometry(s.Rect(20, 144, 201, 125));
  GroupBox2->setStyle(TitleOnFrameStyle::Instance());
  for (std::size_t i = 0; i < kParaBoxes.size(); ++i) {
    const ParaBox& box = kParaBoxes[i];
    chkParaSizes[i] = MakeCheck(box.caption, GroupBox2, s.Rect(box.left, box.top, 60, 17), Navy);
  }

  auto* GroupBox4 = new QGroupBox(tab);
  GroupBox4->setGeometry(s.Rect(624, 136, 137, 73));
  Label* Label1 = MakeLabel("Si&ze", GroupBox4, s.Rect(10, 14, 36, 16));
  SetTextColor(Label1, Navy);
  spnPointSize = MakeSpin(4, 20, 12, GroupBox4, s.Rect(52, 10, 49, 24), Label1);
  chkSampleBold = MakeCheck("Bold", GroupBox4, s.Rect(8, 44, 60, 17), Purple);
  chkSampleItalic = MakeCheck("Italic", GroupBox4, s.Rect(70, 44, 62, 17), Purple);

  auto* GroupBox5 = new QGroupBox(tab);
  GroupBox5->setGeometry(s.Rect(622, 308, 139, 177));
  cmdHeadingFont = MakeButton("Hea&ding Font", GroupBox5, s.Rect(11, 16, 117, 33));
  cmdSelectAll = MakeButton("Select A&ll", GroupBox5, s.Rect(11, 55, 117, 33));
  cmdPrintSetup = MakeButton("P&rint Setup", GroupBox5, s.Rect(11, 94, 117, 33));
  cmdPrint = MakeButton("&Print", GroupBox5, s.Rect(11, 133, 117, 33));
}

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

  QFrame* fontsPanel = LoweredPanel(tab, s.Rect(4, 31, 261, 456));
  lstFonts = new ListBox(fontsPanel);
  lstFonts->setGeometry(s.Rect(2, 2, 257, 452));
  lstFonts->SetMultiSelect(true);
  lstFonts->SetSorted(true);
  lstFonts->SetItemHeight(s(16));
  SetFieldColor(lstFonts, DesignColors::White);
  lstFonts->setAccessibleName(QStringLiteral("Fonts"));

  QFrame* samplePanel = LoweredPanel(tab, s.Rect(284, 31, 477, 100));
  memDispFont = MakePanelMemo(samplePanel, s(2), "Sample");
  memDispFont->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  lblFontType = MakeLabel("", tab, s.Rect(285, 140, 324, 16));
  lblStyles = MakeLabel("", tab, s.Rect(285, 159, 329, 34));
  lblStyles->setWordWrap(true);
  // The label is two lines high; a family with many styles would slice a third line.
  lblStyles->SetMaxLines(2);
  lblStyles->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  QFrame* printOptions = LoweredPanel(tab, s.Rect(288, 202, 237, 285));
  Label* printOptionsTitle = MakeLabel("Print Options", printOptions, s.Rect(8, 6, 221, 18));
  printOptionsTitle->setAlignment(Qt::AlignCenter);
  auto* titleRule = new QFrame(printOptions);
  titleRule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  titleRule->setGeometry(s.Rect(8, 26, 221, 4));
  chkBold = MakeCheck("Bold", printOptions, s.Rect(12, 36, 64, 17), Purple);
  chkItalic = MakeCheck("Italic", printOptions, s.Rect(80, 36, 70, 17), Purple);
  chkSample = MakeCheck("&Sample Text", printOptions, s.Rect(12, 60, 120, 17), Navy);
  Label* sampleSizeLabel = MakeLabel("Size", printOptions, s.Rect(138, 60, 36, 16));
  SetTextColor(sampleSizeLabel, Navy);
  spnSampleSize = MakeSpin(4, 60, 11, printOptions, s.Rect(176, 52, 49, 24), sampleSizeLabel);
  chkCharChart = MakeCheck("&Character Chart", printOptions, s.Rect(12, 80, 160, 17), Navy);
  chkFullPage = MakeCheck("F&ull Page Sample", printOptions, s.Rect(12, 100, 160, 17), Navy);
  chkPara = MakeCheck("&Text Paragraphs", printOptions, s.Rect(12, 120, 160, 17), Navy);

  auto* paraSizes = new QGroupBox(QStringLiteral(" Paragraph Point Sizes "), printOptions);
  paraSizes->setGeometry(s.Rect(20, 144, 201, 125));
  paraSizes->setStyle(TitleOnFrameStyle::Instance());
  for (std::size_t i = 0; i < kParaBoxes.size(); ++i) {
    const ParaBox& box = kParaBoxes[i];
    chkParaSizes[i] = MakeCheck(box.caption, paraSizes, s.Rect(box.left, box.top, 60, 17), Navy);
  }

  auto* sampleOptions = new QGroupBox(tab);
  sampleOptions->setGeometry(s.Rect(624, 136, 137, 73));
  Label* pointSizeLabel = MakeLabel("Si&ze", sampleOptions, s.Rect(10, 14, 36, 16));
  SetTextColor(pointSizeLabel, Navy);
  spnPointSize = MakeSpin(4, 20, 12, sampleOptions, s.Rect(52, 10, 49, 24), pointSizeLabel);
  chkSampleBold = MakeCheck("Bold", sampleOptions, s.Rect(8, 44, 60, 17), Purple);
  chkSampleItalic = MakeCheck("Italic", sampleOptions, s.Rect(70, 44, 62, 17), Purple);

  auto* commands = new QGroupBox(tab);
  commands->setGeometry(s.Rect(622, 308, 139, 177));
  cmdHeadingFont = MakeButton("Hea&ding Font", commands, s.Rect(11, 16, 117, 33));
  cmdSelectAll = MakeButton("Select A&ll", commands, s.Rect(11, 55, 117, 33));
  cmdPrintSetup = MakeButton("P&rint Setup", commands, s.Rect(11, 94, 117, 33));
  cmdPrint = MakeButton("&Print", commands, s.Rect(11, 133, 117, 33));
}

#include "install/PreviewInstallPage.h"

#include <QFrame>
#include <QProgressBar>
#include <QPushButton>

#include "install/FontFileKinds.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/DriveComboBox.h"
#include "widgets/FileListBox.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/SpinEdit.h"

namespace {

ListBox* SortedList(QWidget* parent, const QRect& place, const char* name) {
  auto* list = new ListBox(parent);
  list->setGeometry(place);
  list->SetSorted(true);
  list->setAccessibleName(QString::fromUtf8(name));
  SetFieldColor(list, DesignColors::White);
  return list;
}

QPushButton* MoveButton(const char* caption, QWidget* parent, const QRect& place) {
  QPushButton* button = MakeButton(caption, parent, place);
  button->setEnabled(false);
  return button;
}

}  // namespace

PreviewInstallPage::PreviewInstallPage(QWidget* tab, const DesignScale& s) {
  Label* Label21 = MakeLabel("Preview and Install Fonts", tab, s.Rect(8, 6, 400, 26));
  Label21->setFont(DesignFont(s, 20, true));

  MakeLabel("Directory/Drive", tab, s.Rect(8, 40, 200, 16));  // Label24
  Dir1 = new DirectoryListBox(tab);
  Dir1->setGeometry(s.Rect(8, 58, 200, 206));
  Dir1->setAccessibleName(QStringLiteral("Directory"));
  Drive1 = new DriveComboBox(tab);
  Drive1->setGeometry(s.Rect(8, 268, 200, 24));
  Drive1->setAccessibleName(QStringLiteral("Drive"));
  lblFontFiles = MakeLabel("Font Files: 0", tab, s.Rect(8, 298, 200, 16));
  File1 = new FileListBox(tab);
  File1->SetMask(kFontFileMask);
  File1->setGeometry(s.Rect(8, 316, 200, 110));
  File1->setAccessibleName(QStringLiteral("Font files"));
  cmdPreview = MoveButton("&Preview Fonts", tab, s.Rect(8, 432, 200, 33));

  lblPAvailable = MakeLabel("Available Fonts: 0", tab, s.Rect(220, 40, 220, 16));
  lstPreview = SortedList(tab, s.Rect(220, 58, 220, 234), "Available fonts");
  cmdAdd = MoveButton(">", tab, s.Rect(448, 96, 40, 28));
  cmdAddAll = MoveButton(">>", tab, s.Rect(448, 132, 40, 28));
  cmdRemove = MoveButton("<", tab, s.Rect(448, 180, 40, 28));
  cmdRemoveAll = MoveButton("<<", tab, s.Rect(448, 216, 40, 28));
  lblPSelected = MakeLabel("Selected Fonts: 0", tab, s.Rect(496, 40, 265, 16));
  lstSelected = SortedList(tab, s.Rect(496, 58, 265, 234), "Selected fonts");

  lblPreviewSample = MakeLabel("Sample", tab, s.Rect(220, 298, 541, 16));
  QFrame* Panel8 = LoweredPanel(tab, s.Rect(220, 316, 541, 110));
  memDispPreview = MakePanelMemo(Panel8, s(2), "Preview sample");
  memDispPreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  Label* Label22 = MakeLabel("Sample Si&ze", tab, s.Rect(220, 440, 84, 16));
  spnPreviewSize = MakeSpin(4, 20, 12, tab, s.Rect(306, 436, 49, 24), Label22);
  Label* Label26 = MakeLabel("Print &Size", tab, s.Rect(370, 440, 72, 16));
  spnPreviewPrintSize = MakeSpin(4, 20, 11, tab, s.Rect(444, 436, 49, 24), Label26);
  cmdInstall = MoveButton("&Install", tab, s.Rect(578, 432, 89, 33));
  cmdPreviewPrint = MoveButton("&Print", tab, s.Rect(672, 432, 89, 33));

  pnlLoading = new QFrame(tab);
  pnlLoading->setFrameStyle(QFrame::Panel | QFrame::Raised);
  pnlLoading->setGeometry(s.Rect(0, 444, 769, 45));
  SetBackground(pnlLoading, DesignColors::Silver);
  lblLoading = MakeLabel("Loading fonts", pnlLoading, s.Rect(8, 14, 140, 16));
  gaugeLoading = new QProgressBar(pnlLoading);
  gaugeLoading->setGeometry(s.Rect(152, 12, 480, 20));
  gaugeLoading->setRange(0, 100);
  gaugeLoading->setValue(0);
  SetBackground(gaugeLoading, DesignColors::Yellow);
  cmdPreviewCancel = MakeButton("&Cancel", pnlLoading, s.Rect(660, 6, 89, 33));
  pnlLoading->hide();

  lstPreview2 = new ListBox(tab);
  lstPreview2->setAccessibleName(QStringLiteral("Faces read"));
  lstPreview2->hide();
}

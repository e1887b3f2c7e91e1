#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "fixtures/MainWindowHarness.h"
#include "fixtures/TrueTypeBuilder.h"
#include "install/PreviewFonts.h"
#include "install/PreviewInstallPage.h"
#include "printing/TfrmPrinting.h"
#include "widgets/CheckBox.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/SpinEdit.h"

namespace {

struct PrintPage {
  MainWindowHarness h;
  TempDir folder;
  TfrmMain* form = nullptr;
  PreviewInstallPage* p = nullptr;

  // A page whose preview folder holds faces "Face 10" ... of the family "Family 10" ...
  explicit PrintPage(int faces) {
    for (int i = 0; i < faces; ++i) {
      const std::string n = std::to_string(10 + i);
      TrueTypeBuilder()
          .MacName(1, "Family " + n)
          .MacName(4, "Face " + n)
          .WriteTo(folder.Path(), "f" + n + ".ttf");
    }
    h.UseFonts({"Arial"});
    form = &h.Show();
    p = &form->tabInstall();
    form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Install));
    p->Dir1->SetDirectory(folder.Path());
    if (faces > 0) {
      QTest::mouseClick(p->cmdPreview, Qt::LeftButton);
      QTest::mouseClick(p->cmdAddAll, Qt::LeftButton);
    }
  }
  void Print() {
    p->cmdPreviewPrint->setEnabled(true);  // a directory change leaves it as it was
    QTest::mouseClick(p->cmdPreviewPrint, Qt::LeftButton);
  }
  std::string File(int i) const { return folder.Path() + "/f" + std::to_string(10 + i) + ".ttf"; }
  // The names drawn on a sheet in the heading face at 10 points.
  static std::vector<std::string> Names(const FakePrinter::Sent* sheet) {
    std::vector<std::string> names;
    for (const auto& text : sheet->Page->texts) {
      if (text.Font.Points == 10 && text.Value.starts_with("Face ")) names.push_back(text.Value);
    }
    return names;
  }
};

}  // namespace

class PreviewPrintTest : public QObject {
  Q_OBJECT
 private slots:
  void sheetsPerFaceCount_data();
  void sheetsPerFaceCount();
  void blockIsDrawnInTheFaceFromItsFile();
  void regularFaceNamedLikeItsFamilyPrintsRegular();
  void emptySelectionPrintsTheHeadingAlone();
  void cancelDuringTheSecondSheet();
  void coverageIsADocumentPerFaceUntilCancel();
  void secondRunRemovesTheFirstRunsFilesFirst();
  void everyAddIsRemovedWhenThePageIsLeft();
  void pageLeftDuringAPrint_data();
  void pageLeftDuringAPrint();
};

void PreviewPrintTest::sheetsPerFaceCount_data() {
  QTest::addColumn<int>("faces");
  QTest::addColumn<int>("sheets");
  QTest::addColumn<int>("lastSheetBlocks");
  // Files still added after the print: the last sheet's, and the face shown.
  QTest::addColumn<int>("filesAdded");
  QTest::newRow("one") << 1 << 1 << 1 << 1;
  QTest::newRow("eleven") << 11 << 1 << 11 << 11;
  QTest::newRow("twelve") << 12 << 2 << 1 << 2;
}

void PreviewPrintTest::sheetsPerFaceCount() {
  QFETCH(int, faces);
  QFETCH(int, sheets);
  QFETCH(int, lastSheetBlocks);
  QFETCH(int, filesAdded);
  PrintPage page(faces);
  bool buttonsOff = false;
  page.h.printer.onBeginDoc = [&](int) {
    buttonsOff = !page.p->cmdAdd->isEnabled() && !page.p->cmdPreviewPrint->isEnabled();
  };
  page.Print();
  const auto printed = page.h.printer.Printed();
  QCOMPARE(static_cast<int>(printed.size()), sheets);
  QCOMPARE(static_cast<int>(PrintPage::Names(printed.back()).size()), lastSheetBlocks);
  QCOMPARE(page.form->Parts().frmPrinting().lblPrinted->Caption(),
           "Samples Printed: " + std::to_string(faces));
  QCOMPARE(page.form->Parts().frmPrinting().lblSelected->Caption(),
           "Fonts Selected: " + std::to_string(faces));
  QVERIFY(buttonsOff);
  QVERIFY(page.p->cmdPreviewPrint->isEnabled());
  QVERIFY(!page.form->Parts().frmPrinting().isVisible());
  QCOMPARE(static_cast<int>(page.form->Parts().Preview().Leases().PrintedFaces().size()),
           lastSheetBlocks);
  QCOMPARE(static_cast<int>(page.h.fontTable.counts.size()), filesAdded);
}

void PreviewPrintTest::blockIsDrawnInTheFaceFromItsFile() {
  PrintPage page(1);
  page.h.fonts.AddTrueTypeFamily("Face 10", {"Bold Italic"});  // what the system reports for it
  // An earlier job left style words behind; the preview heading names none.
  page.form->tabMain().chkBold->SetChecked(true);
  page.form->tabMain().chkCharChart->SetChecked(true);
  QTest::mouseClick(page.form->tabMain().cmdPrint, Qt::LeftButton);
  page.h.printer.documents.clear();
  page.h.printer.log.clear();
  page.p->spnPreviewPrintSize->SetValue(14);
  page.Print();
  const auto printed = page.h.printer.Printed();
  QCOMPARE(printed.size(), std::size_t{1});
  bool sawBody = false;
  for (const auto& text : printed[0]->Page->texts) {
    QVERIFY(text.Value.find("Bold") == std::string::npos);
    if (text.Value == "ABCDEFGHIJKLMNOPQRSTUVWXYZ" && text.Font.Points == 14) {
      sawBody = true;
      QCOMPARE(text.Font.Face, std::string("Family 10"));
      QVERIFY(text.Font.Bold && text.Font.Italic);
    }
  }
  QVERIFY(sawBody);
  QCOMPARE(page.h.fontTable.counts.count(page.File(0)), std::size_t{1});
}

void PreviewPrintTest::regularFaceNamedLikeItsFamilyPrintsRegular() {
  PrintPage page(1);
  // The file's face is the family's regular one, whose full name is the family's name; the
  // system reports the whole family for that name, a bold italic face last.
  std::vector<FontStyleRecord> family;
  for (const char* style : {"Regular", "Bold Italic"}) {
    FontStyleRecord face;
    face.FaceName = "Face 10";
    face.elfStyle = style;
    face.elfFullName = std::string(style) == "Regular" ? "Face 10" : "Face 10 Bold Italic";
    face.tmPitchAndFamily = TMPF_TRUETYPE;
    family.push_back(face);
  }
  page.h.fonts.AddFamily("Face 10", family);
  page.Print();
  bool sawBody = false;
  for (const auto& text : page.h.printer.Printed()[0]->Page->texts) {
    if (text.Value == "ABCDEFGHIJKLMNOPQRSTUVWXYZ" && text.Font.Points == 11) {
      sawBody = true;
      QVERIFY(!text.Font.Bold && !text.Font.Italic);
    }
  }
  QVERIFY(sawBody);
}

void PreviewPrintTest::emptySelectionPrintsTheHeadingAlone() {
  PrintPage page(0);
  page.Print();
  const auto printed = page.h.printer.Printed();
  QCOMPARE(printed.size(), std::size_t{1});
  QVERIFY(!printed[0]->Page->texts.empty());
  QVERIFY(PrintPage::Names(printed[0]).empty());
  QVERIFY(page.form->Parts().Preview().Leases().PrintedFaces().empty());
}

void PreviewPrintTest::cancelDuringTheSecondSheet() {
  PrintPage page(13);
  page.h.printer.onBeginDoc = [&](int number) {
    if (number == 2) QTest::mouseClick(page.form->Parts().frmPrinting().cmdCancel, Qt::LeftButton);
  };
  page.Print();
  QCOMPARE(page.h.printer.log, (std::vector<std::string>{"begin", "end", "begin", "abort"}));
  QCOMPARE(PrintPage::Names(page.h.printer.Printed()[0]).size(), std::size_t{11});
  // The eleventh face filled the first sheet and began the second, where Cancel was taken: the
  // first sheet's files were taken back with it, and the twelfth face's was never added.
  QVERIFY(page.form->Parts().Preview().Leases().PrintedFaces().empty());
  QCOMPARE(page.h.fontTable.counts.count(page.File(11)), std::size_t{0});
}

void PreviewPrintTest::coverageIsADocumentPerFaceUntilCancel() {
  PrintPage page(1);
  ListBox& selected = *page.p->lstSelected;
  QCOMPARE(selected.ContextCommands.at(0).Caption, std::string("Print Coverage"));
  // A file FreeType cannot open is reported, and nothing is printed.
  selected.ContextCommands.at(0).Run();
  QCOMPARE(page.h.messages.shown.at(0).Text, page.File(0) + " is not a font file.");
  QVERIFY(page.h.printer.Printed().empty());

  for (const char* file : {"DejaVuSans.ttf", "DejaVuSerif.ttf", "LiberationMono-Regular.ttf"}) {
    QFile::copy(GLYPHERA_TEST_FONT_DIR "/" + QString(file),
                QString::fromStdString(page.folder.Path()) + "/" + file);
  }
  std::filesystem::remove(page.File(0));
  page.p->Dir1->SetDirectory("/");
  page.p->Dir1->SetDirectory(page.folder.Path());
  QTest::mouseClick(page.p->cmdPreview, Qt::LeftButton);
  QTest::mouseClick(page.p->cmdAddAll, Qt::LeftButton);
  page.h.printer.onBeginDoc = [&](int number) {
    if (number == 2) QTest::mouseClick(page.form->Parts().frmPrinting().cmdCancel, Qt::LeftButton);
  };
  selected.ContextCommands.at(0).Run();
  std::vector<std::string> documents = page.h.printer.log;
  std::erase(documents, "page");
  QCOMPARE(documents, (std::vector<std::string>{"begin", "end", "begin", "abort"}));
  const FakePrinter::Sent& book = *page.h.printer.Printed().at(0);
  QCOMPARE(book.Title, "Glyphera - Coverage - " + selected.Text(0));
  QCOMPARE(std::get<1>(book.Bookmarks.at(0)), selected.Text(0));
  QVERIFY(book.Pages > 1);

  // A file damaged since it was listed is skipped and named once the others' books are whole.
  QFile last(QString::fromStdString(page.folder.Path()) + "/LiberationMono-Regular.ttf");
  QVERIFY(last.open(QIODevice::WriteOnly | QIODevice::Truncate) && last.write("no font") > 0);
  last.close();
  page.h.printer.onBeginDoc = nullptr;
  page.h.printer.log.clear();
  page.h.messages.shown.clear();
  selected.ContextCommands.at(0).Run();
  documents = page.h.printer.log;
  std::erase(documents, "page");
  QCOMPARE(documents, (std::vector<std::string>{"begin", "end", "begin", "end"}));
  QCOMPARE(page.h.messages.shown.size(), std::size_t{1});
  QVERIFY(page.h.messages.shown.at(0).Text.find("LiberationMono-Regular.ttf") != std::string::npos);
}

void PreviewPrintTest::secondRunRemovesTheFirstRunsFilesFirst() {
  PrintPage page(2);
  page.Print();
  page.h.fontTable.log.clear();
  page.Print();
  const std::vector<std::string>& log = page.h.fontTable.log;
  const auto firstAdd = std::find_if(log.begin(), log.end(),
                                     [](const std::string& e) { return e.starts_with("add "); });
  QCOMPARE(std::count_if(log.begin(), firstAdd,
                         [](const std::string& e) { return e.starts_with("remove "); }),
           2);
  QCOMPARE(page.h.fontTable.counts.at(page.File(0)), 2);  // shown once, printed once
}

void PreviewPrintTest::everyAddIsRemovedWhenThePageIsLeft() {
  PrintPage page(3);
  page.Print();
  page.Print();
  page.form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  QVERIFY(page.h.fontTable.counts.empty());
  const auto& log = page.h.fontTable.log;
  QCOMPARE(std::count_if(log.begin(), log.end(),
                         [](const std::string& e) { return e.starts_with("add "); }),
           std::count_if(log.begin(), log.end(),
                         [](const std::string& e) { return e.starts_with("remove "); }));
}

// The page is left while the second sheet is printed: the print goes on to its last face, and the
// page is cleaned up once it has ended, unless the user came back meanwhile.
void PreviewPrintTest::pageLeftDuringAPrint_data() {
  QTest::addColumn<bool>("comesBack");
  QTest::addColumn<int>("selectedAfter");
  QTest::addColumn<int>("filesAddedAfter");
  QTest::newRow("left for good") << false << 0 << 0;
  QTest::newRow("back before the end") << true << 13 << 3;
}

void PreviewPrintTest::pageLeftDuringAPrint() {
  QFETCH(bool, comesBack);
  QFETCH(int, selectedAfter);
  QFETCH(int, filesAddedAfter);
  PrintPage page(13);
  page.h.printer.onBeginDoc = [&](int number) {
    if (number != 2) return;
    page.form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
    if (comesBack) page.form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Install));
  };
  page.Print();
  QVERIFY(page.h.messages.shown.empty());
  QCOMPARE(PrintPage::Names(page.h.printer.Printed().back()).size(), std::size_t{2});
  QCOMPARE(page.p->lstSelected->Count(), selectedAfter);
  QCOMPARE(static_cast<int>(page.h.fontTable.counts.size()), filesAddedAfter);
  QCOMPARE(page.p->cmdPreviewPrint->isEnabled(), comesBack);
}

QTEST_MAIN(PreviewPrintTest)
#include "PreviewPrintTest.moc"

#include <QFrame>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "fixtures/MainWindowHarness.h"
#include "fixtures/TrueTypeBuilder.h"
#include "install/PreviewFonts.h"
#include "install/PreviewInstallPage.h"
#include "install/PreviewLists.h"
#include "platform/files/MountTable.h"
#include "viewing/FontList.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/DriveComboBox.h"
#include "widgets/FileListBox.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/SpinEdit.h"

namespace {

constexpr std::uint16_t kFamily = 1;
constexpr std::uint16_t kFullName = 4;

// A folder of TrueType files, each naming one face of the family.
struct FontFolder {
  TempDir dir;
  void Add(const std::string& file, const std::string& family, const std::string& fullName) {
    TrueTypeBuilder()
        .MacName(kFamily, family)
        .MacName(kFullName, fullName)
        .WriteTo(dir.Path(), file);
  }
};

struct PreviewPage {
  MainWindowHarness h;
  TfrmMain* form = nullptr;
  PreviewInstallPage* p = nullptr;
  PreviewFonts* preview = nullptr;

  PreviewPage() {
    h.UseFonts({"Arial", "Courier New"});
    form = &h.Show();
    p = &form->tabInstall();
    preview = &form->Parts().Preview();
    form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Install));
  }
  void Open(const std::string& folder) { p->Dir1->SetDirectory(folder); }
  void PressPreview() { QTest::mouseClick(p->cmdPreview, Qt::LeftButton); }
  std::vector<std::string> Texts(ListBox* list) const {
    std::vector<std::string> texts;
    for (int i = 0; i < list->Count(); ++i) texts.push_back(list->Text(i));
    return texts;
  }
};

}  // namespace

class PreviewPageTest : public QObject {
  Q_OBJECT
 private slots:
  void directoryWithoutFontFiles();
  void readingFilesListsTheirFacesAndShowsTheFirst();
  void cancelKeepsTheFacesReadSoFar();
  void changesDuringAReadingEndItCleanly();
  void longNamesAreShownByFamilyAndStyle_data();
  void longNamesAreShownByFamilyAndStyle();
  void slantedFacesAreShownSlanted_data();
  void slantedFacesAreShownSlanted();
  void addWithNothingSelected();
  void addAllThenRemoveAll();
  void removeAllKeepsThePreviewSelection();
  void directoryChangeKeepsInstallAndPrint();
  void leavingThePageUnloadsEverything();
  void closingUnloadsEverything();
  void driveThatCannotBeRead();
  void previewSizeFollowsOnlyItsOwnBox();
};

void PreviewPageTest::directoryWithoutFontFiles() {
  PreviewPage page;
  TempDir empty;
  std::filesystem::create_directory(empty.File("d.ttf"));
  page.Open(empty.Path());
  QCOMPARE(page.p->lblFontFiles->Caption(), std::string("Font Files: 0"));
  QVERIFY(!page.p->cmdPreview->isEnabled());
}

void PreviewPageTest::readingFilesListsTheirFacesAndShowsTheFirst() {
  FontFolder folder;
  folder.Add("d.ttf", "Delta", "Delta Bold");
  folder.Add("a.TTF", "Alpha", "Alpha Regular");
  folder.Add("c.ttf", "Gamma", "gamma italic");
  folder.Add("b.ttf", "Beta", "X");  // a full name too short gives no face
  PreviewPage page;
  page.Open(folder.dir.Path());
  QCOMPARE(page.p->lblFontFiles->Caption(), std::string("Font Files: 4"));
  QVERIFY(page.p->cmdPreview->isEnabled());
  std::vector<int> gauge;
  bool panelShown = true;
  page.h.dispatch.onDispatch = [&] {
    gauge.push_back(page.p->gaugeLoading->value());
    panelShown = panelShown && page.p->pnlLoading->isVisible();
  };
  page.PressPreview();
  QCOMPARE(gauge, (std::vector<int>{0, 0, 25, 50}));
  QVERIFY(panelShown);
  QCOMPARE(page.p->gaugeLoading->value(), 75);
  QVERIFY(!page.p->pnlLoading->isVisible());
  QCOMPARE(page.p->lblLoading->Caption(), std::string("Loading 4 fonts"));
  QCOMPARE(page.Texts(page.p->lstPreview),
           (std::vector<std::string>{"Alpha Regular", "Delta Bold", "gamma italic"}));
  QCOMPARE(page.Texts(page.p->lstPreview2),
           (std::vector<std::string>{"Alpha Regular", "gamma italic", "Delta Bold"}));
  QCOMPARE(page.p->lblPAvailable->Caption(), std::string("Available Fonts: 3"));
  QCOMPARE(page.p->lblPSelected->Caption(), std::string("Selected Fonts: 0"));
  QCOMPARE(page.p->lblPreviewSample->Caption(), std::string("Sample: Alpha Regular"));
  QCOMPARE(page.p->memDispPreview->FontName(), std::string("Alpha Regular"));
  QCOMPARE(page.p->memDispPreview->FontColor(), QColor(Qt::black));
  const std::string shown = folder.dir.Path() + "/a.TTF";
  QCOMPARE(page.preview->Leases().ShownFile(), shown);
  QCOMPARE(page.h.fontTable.counts, (std::map<std::string, int>{{shown, 1}}));
  QVERIFY(!page.p->cmdPreview->isEnabled());
  QVERIFY(page.p->cmdAdd->isEnabled() && page.p->cmdAddAll->isEnabled());
  QVERIFY(!page.p->cmdInstall->isEnabled());

  // Another face: the first one's file goes, the new one's comes, each announced.
  page.h.fontTable.log.clear();
  page.p->lstPreview->SetItemIndex(1);
  page.preview->lstPreviewClick();
  const std::string delta = folder.dir.Path() + "/d.ttf";
  QCOMPARE(page.h.fontTable.log,
           (std::vector<std::string>{"remove " + shown, "broadcast", "add " + delta, "broadcast"}));
}

void PreviewPageTest::cancelKeepsTheFacesReadSoFar() {
  FontFolder folder;
  for (char c = 'a'; c <= 'e'; ++c) {
    folder.Add(std::string(1, c) + ".ttf", std::string("Face ") + c,
               std::string("Face ") + c + " Bold");
  }
  PreviewPage page;
  page.Open(folder.dir.Path());
  int dispatches = 0;
  page.h.dispatch.onDispatch = [&] {
    if (++dispatches == 3) QTest::mouseClick(page.p->cmdPreviewCancel, Qt::LeftButton);
  };
  page.PressPreview();
  QCOMPARE(page.p->lstPreview->Count(), 2);
  QVERIFY(!page.p->cmdPreview->isEnabled());
  QVERIFY(!page.p->pnlLoading->isVisible());
}

// A change of folder or page, the window closing, or an error while the folder is read: the
// reading ends, nothing it read is listed, the panel goes and every button works again.
void PreviewPageTest::changesDuringAReadingEndItCleanly() {
  struct Row {
    const char* name;
    std::function<void(PreviewPage&, const std::string& other)> during;
    std::size_t errors;
    bool left;
  };
  const Row rows[] = {
      {"folder", [](PreviewPage& page, const std::string& other) { page.Open(other); }, 0, false},
      {"page",
       [](PreviewPage& page, const std::string&) {
         page.form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
       },
       0, true},
      {"close", [](PreviewPage& page, const std::string&) { page.form->close(); }, 0, false},
      {"error", [](PreviewPage&, const std::string&) { throw std::runtime_error("x"); }, 1, false},
  };
  for (const Row& row : rows) {
    FontFolder folder;
    FontFolder other;
    for (char c = 'a'; c <= 'f'; ++c) {
      folder.Add(std::string(1, c) + ".ttf", std::string("Face ") + c, std::string("Face ") + c);
    }
    other.Add("z.ttf", "Zulu", "Zulu Book");
    PreviewPage page;
    page.Open(folder.dir.Path());
    const int builds = page.h.printer.fontListBuilds;
    int dispatches = 0;
    page.h.dispatch.onDispatch = [&] {
      if (++dispatches == 3) row.during(page, other.dir.Path());
    };
    try {
      page.PressPreview();
    } catch (const std::runtime_error&) {
    }
    page.h.dispatch.onDispatch = nullptr;
    QVERIFY2(page.h.messages.shown.size() == row.errors, row.name);
    QVERIFY2(!page.p->pnlLoading->isVisible(), row.name);
    QVERIFY2(page.p->lstPreview->Count() == 0, row.name);
    QVERIFY2(page.p->cmdPreview->isEnabled(), row.name);
    QVERIFY2(page.h.fontTable.counts.empty(), row.name);
    QVERIFY2((page.h.printer.fontListBuilds == builds + 1) == row.left, row.name);
    if (std::string(row.name) == "close") continue;
    // The next reading reads the folder shown now, in full.
    if (row.left) page.form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Install));
    page.PressPreview();
    const bool moved = std::string(row.name) == "folder";
    QVERIFY2(page.p->lstPreview->Count() == (moved ? 1 : 6), row.name);
  }
}

void PreviewPageTest::longNamesAreShownByFamilyAndStyle_data() {
  QTest::addColumn<QString>("fullName");
  QTest::addColumn<QString>("fontName");
  QTest::addColumn<bool>("bold");
  QTest::newRow("31 characters") << "Condensed Display Type Semibold"
                                 << "Condensed Display Type Semibold" << false;
  QTest::newRow("32 characters") << "Condensed Display Type Semibolds"
                                 << "Longish" << true;
}

void PreviewPageTest::longNamesAreShownByFamilyAndStyle() {
  QFETCH(QString, fullName);
  QFETCH(QString, fontName);
  QFETCH(bool, bold);
  QCOMPARE(fullName.size() > 31, bold);
  FontFolder folder;
  folder.Add("l.ttf", "Longish", fullName.toStdString());
  PreviewPage page;
  // The family's faces as the system enumerates them; the last one decides the flags.
  page.h.fonts.AddTrueTypeFamily("Longish", {"Italic", "Bold"});
  page.Open(folder.dir.Path());
  page.PressPreview();
  QCOMPARE(QString::fromStdString(page.p->memDispPreview->FontName()), fontName);
  QCOMPARE(page.p->memDispPreview->font().bold(), bold);
  QVERIFY(!page.p->memDispPreview->font().italic());
  QCOMPARE(page.preview->ShownStyle().Bold, bold);
  QCOMPARE(QString::fromStdString(page.p->lblPreviewSample->Caption()), "Sample: " + fullName);
}

void PreviewPageTest::slantedFacesAreShownSlanted_data() {
  QTest::addColumn<QString>("style");
  QTest::addColumn<bool>("fontSaysItalic");
  QTest::addColumn<bool>("slanted");
  QTest::newRow("oblique") << "Condensed Bold Oblique" << false << true;
  QTest::newRow("slanted") << "Slanted" << false << true;
  QTest::newRow("italic by the font alone") << "Kursiv" << true << true;
  QTest::newRow("upright") << "Bold" << false << false;
}

// Long names are shown by family and style; the style of the face decides the slant.
void PreviewPageTest::slantedFacesAreShownSlanted() {
  QFETCH(QString, style);
  QFETCH(bool, fontSaysItalic);
  QFETCH(bool, slanted);
  FontFolder folder;
  folder.Add("s.ttf", "Longish", "Extra Condensed Display Typeface " + style.toStdString());
  PreviewPage page;
  FontStyleRecord face;
  face.FaceName = "Longish";
  face.elfStyle = style.toStdString();
  face.Italic = fontSaysItalic;
  page.h.fonts.AddFamily("Longish", {face});
  page.Open(folder.dir.Path());
  page.PressPreview();
  QCOMPARE(page.p->memDispPreview->font().italic(), slanted);
  QCOMPARE(page.preview->ShownStyle().Italic, slanted);
}

void PreviewPageTest::addWithNothingSelected() {
  FontFolder folder;
  folder.Add("a.ttf", "Alpha", "Alpha Regular");
  folder.Add("b.ttf", "Beta", "Beta Regular");
  PreviewPage page;
  page.Open(folder.dir.Path());
  page.PressPreview();
  page.p->lstPreview->SetSelected(0, false);
  QCOMPARE(PreviewLists::FirstSelectedIndex(*page.p->lstPreview), -1);
  QTest::mouseClick(page.p->cmdAdd, Qt::LeftButton);
  QCOMPARE(page.p->lstPreview->Count(), 2);
  QCOMPARE(page.p->lstSelected->Count(), 0);
  QVERIFY(page.p->lstPreview->Selected(0));
  // Now with the second face selected: it moves, and the face after it is shown.
  page.p->lstPreview->SetItemIndex(1);
  QTest::mouseClick(page.p->cmdAdd, Qt::LeftButton);
  QCOMPARE(page.Texts(page.p->lstSelected), std::vector<std::string>{"Beta Regular"});
  QCOMPARE(page.p->lstPreview->ItemIndex(), 0);
  QVERIFY(page.p->cmdInstall->isEnabled() && page.p->cmdPreviewPrint->isEnabled());
  QCOMPARE(page.p->lblPSelected->Caption(), std::string("Selected Fonts: 1"));
  QCOMPARE(page.p->lblPreviewSample->Caption(), std::string("Sample: Alpha Regular"));
}

void PreviewPageTest::addAllThenRemoveAll() {
  FontFolder folder;
  folder.Add("z.ttf", "Zulu", "Zulu Book");
  folder.Add("m.ttf", "Mike", "mike Book");
  folder.Add("a.ttf", "Alpha", "Alpha Book");
  PreviewPage page;
  page.Open(folder.dir.Path());
  page.PressPreview();
  const std::vector<std::string> before = page.Texts(page.p->lstPreview);
  QTest::mouseClick(page.p->cmdAddAll, Qt::LeftButton);
  QCOMPARE(page.p->lstPreview->Count(), 0);
  QCOMPARE(page.Texts(page.p->lstSelected), before);
  QVERIFY(!page.p->cmdAdd->isEnabled() && page.p->cmdRemoveAll->isEnabled());
  QTest::mouseClick(page.p->cmdRemoveAll, Qt::LeftButton);
  QCOMPARE(page.Texts(page.p->lstPreview), before);
  QCOMPARE(page.p->lstSelected->Count(), 0);
  for (int i = 0; i < page.p->lstPreview->Count(); ++i) {
    const auto entry = page.p->lstPreview->ObjectAs<FontFileEntry>(i);
    const std::string first = page.p->lstPreview->Text(i).substr(0, 1);
    QCOMPARE(QString::fromStdString(entry->FileName).toUpper(),
             QString::fromStdString(first).toUpper() + ".TTF");
  }
  QVERIFY(!page.p->cmdInstall->isEnabled());
}

void PreviewPageTest::removeAllKeepsThePreviewSelection() {
  FontFolder folder;
  for (char c = 'a'; c <= 'd'; ++c) {
    folder.Add(std::string(1, c) + ".ttf", std::string("Face ") + c, std::string("Face ") + c);
  }
  PreviewPage page;
  page.Open(folder.dir.Path());
  page.PressPreview();
  page.p->lstPreview->SetItemIndex(0);
  QTest::mouseClick(page.p->cmdAdd, Qt::LeftButton);
  page.p->lstPreview->SetItemIndex(2);
  page.preview->lstPreviewClick();
  QCOMPARE(page.p->lblPreviewSample->Caption(), std::string("Sample: Face d"));
  QTest::mouseClick(page.p->cmdRemoveAll, Qt::LeftButton);
  QCOMPARE(page.p->lstPreview->Count(), 4);
  QCOMPARE(page.p->lstPreview->SelCount(), 1);
  QCOMPARE(page.p->lstPreview->Text(PreviewLists::FirstSelectedIndex(*page.p->lstPreview)),
           std::string("Face d"));
  QCOMPARE(page.p->lblPreviewSample->Caption(), std::string("Sample: Face d"));
}

void PreviewPageTest::directoryChangeKeepsInstallAndPrint() {
  FontFolder folder;
  folder.Add("a.ttf", "Alpha", "Alpha Regular");
  PreviewPage page;
  page.Open(folder.dir.Path());
  page.PressPreview();
  QTest::mouseClick(page.p->cmdAddAll, Qt::LeftButton);
  QVERIFY(page.p->cmdInstall->isEnabled());
  TempDir other;
  page.Open(other.Path());
  QCOMPARE(page.p->lstSelected->Count(), 0);
  QCOMPARE(page.p->lstPreview->Count(), 0);
  QVERIFY(page.p->cmdInstall->isEnabled());
  QVERIFY(page.p->cmdPreviewPrint->isEnabled());
  QCOMPARE(page.p->lblPreviewSample->Caption(), std::string("Sample"));
  QCOMPARE(page.p->memDispPreview->FontColor(), QColor(Qt::white));
  // The face shown stays added until the next show, page leave or close.
  QCOMPARE(page.h.fontTable.counts.size(), std::size_t{1});
}

void PreviewPageTest::leavingThePageUnloadsEverything() {
  FontFolder folder;
  folder.Add("a.ttf", "Alpha", "Alpha Regular");
  folder.Add("b.ttf", "Beta", "Beta Regular");
  PreviewPage page;
  page.Open(folder.dir.Path());
  page.PressPreview();
  page.p->lstPreview->SetItemIndex(1);
  page.preview->lstPreviewClick();
  // Files a preview print added.
  page.preview->Leases().StartPrinting(folder.dir.Path() + "/");
  for (int i = 0; i < 2; ++i) {
    page.preview->Leases().LendForPrinting(
        {page.p->lstPreview->Text(i), page.p->lstPreview->ObjectAs<FontFileEntry>(i)});
  }
  page.h.printer.printers[0].Fonts->push_back("Newly Installed");
  page.h.fonts.AddTrueTypeFamily("Newly Installed", {"Regular"});
  // A family only the printer holds stays a printer font.
  page.h.printer.printers[0].Fonts->push_back("Printer Only");
  const int builds = page.h.printer.fontListBuilds;
  const auto logged = static_cast<std::ptrdiff_t>(page.h.fontTable.log.size());

  page.form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  // Each announcement makes every window resolve its fonts again: one for the file shown, one
  // for all the printed ones, however many there are.
  QCOMPARE(std::count(page.h.fontTable.log.begin() + logged, page.h.fontTable.log.end(),
                      std::string("broadcast")),
           2);
  QVERIFY(page.h.fontTable.counts.empty());
  QVERIFY(page.preview->Leases().PrintedFaces().empty());
  QVERIFY(page.preview->Leases().ShownFile().empty());
  QCOMPARE(page.p->lstPreview->Count(), 0);
  QVERIFY(page.p->cmdPreview->isEnabled());
  QVERIFY(!page.p->cmdInstall->isEnabled() && !page.p->cmdAdd->isEnabled());
  QCOMPARE(page.h.printer.fontListBuilds, builds + 1);
  QCOMPARE(page.form->Parts().Fonts().FontCount(), 4);
  QVERIFY(page.form->Parts().Fonts().IsScreenFont("Newly Installed"));
  QVERIFY(!page.form->Parts().Fonts().IsScreenFont("Printer Only"));
  QCOMPARE(page.form->tabMain().lstFonts->SelCount(), 1);

  // Leaving another page does none of this.
  page.form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Edit));
  QCOMPARE(page.h.printer.fontListBuilds, builds + 1);
}

void PreviewPageTest::closingUnloadsEverything() {
  FontFolder folder;
  folder.Add("a.ttf", "Alpha", "Alpha Regular");
  PreviewPage page;
  page.Open(folder.dir.Path());
  page.PressPreview();
  QCOMPARE(page.h.fontTable.counts.size(), std::size_t{1});
  page.form->close();
  QVERIFY(page.h.fontTable.counts.empty());
  int adds = 0;
  int removes = 0;
  for (const std::string& entry : page.h.fontTable.log) {
    adds += entry.starts_with("add ");
    removes += entry.starts_with("remove ");
  }
  QCOMPARE(adds, removes);
}

void PreviewPageTest::driveThatCannotBeRead() {
  PreviewPage page;
  const std::string before = page.p->Dir1->Directory();
  page.p->Drive1->SetDrive("/no/such/mount");
  page.preview->Drive1Change();
  QCOMPARE(page.h.messages.shown.size(), std::size_t{1});
  QCOMPARE(page.h.messages.shown[0].Title, std::string("Error"));
  QCOMPARE(page.h.messages.shown[0].Text, std::string("Error reading drive /no/such/mount"));
  QCOMPARE(page.p->Dir1->Directory(), before);
  QCOMPARE(page.p->Drive1->Drive(), MountTable::MountOf(before, MountTable::LocalMounts()));
}

void PreviewPageTest::previewSizeFollowsOnlyItsOwnBox() {
  PreviewPage page;
  page.p->spnPreviewSize->SetValue(18);
  QCOMPARE(page.p->memDispPreview->font().pointSizeF(), 18.0);
  page.p->spnPreviewPrintSize->SetValue(6);
  QCOMPARE(page.p->memDispPreview->font().pointSizeF(), 18.0);
  page.p->spnPreviewSize->findChild<QLineEdit*>()->setText(QStringLiteral("30"));
  QCOMPARE(page.p->memDispPreview->font().pointSizeF(), 18.0);
}

QTEST_MAIN(PreviewPageTest)
#include "PreviewPageTest.moc"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "app/FontMapPage.h"
#include "app/LargeSamplePage.h"
#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/ShowAllPage.h"
#include "app/TfrmAbout.h"
#include "app/TfrmMain.h"
#include "fixtures/MainWindowHarness.h"
#include "platform/storage/RegistryKeys.h"
#include "printing/TfrmPrinting.h"
#include "settings/SampleTexts.h"
#include "viewing/FontList.h"
#include "widgets/CheckBox.h"
#include "widgets/DesignScale.h"
#include "widgets/Grid.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/SpinEdit.h"

namespace {

const std::vector<std::string> kThreeFonts = {"Times New Roman", "arial", "Courier New"};
const std::string kNoScreenMessage =
    "The currently selected font does not have an equivalent screen font,\r\nso the large sample "
    "and font map are not available.";

QString Caption(const Label* label) {
  return QString::fromStdString(label->Caption());
}

void PressCtrlTab(TfrmMain& form, bool forward) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
  if (forward) {
    QTest::keyClick(target, Qt::Key_Tab, Qt::ControlModifier);
  } else {
    QTest::keyClick(target, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  }
}

void ClickItem(ListBox* list, int row, Qt::KeyboardModifiers modifiers = {}) {
  const QRect place = list->visualRect(list->model()->index(row, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, place.center());
}

}  // namespace

class TfrmMainTest : public QObject {
  Q_OBJECT
 private slots:
  void startupListsFontsAndShowsFirstSample();
  void startupValuesAndRegistry();
  void registryFallbacks_data();
  void registryFallbacks();
  void printerOnlyFontIsExplainedAndPagesRefused();
  void ctrlTabWrapsAroundThePages();
  void largeSamplePageTakesTheCurrentFont();
  void showAllKeysPageTheView();
  void pageKeysElsewhereReachTheFocusedControl();
  void selectAllWith250Fonts();
  void ctrlClickDeselectsAndMakesCurrent();
  void sampleSizeAndStyle();
  void printSizeIsBroughtIntoRangeFirst();
  void smallWindowsAreCentredOnTheScreen();
  void fontListRowsAreTheDesignedHeight();
  void windowPlacement_data();
  void windowPlacement();
  void fontMapCells_data();
  void fontMapCells();
  void noPrinterLeavesAUsableWindow_data();
  void noPrinterLeavesAUsableWindow();
  void helpMenuShowsTheHelpFile();
  void closeRestoresTheCursor();
  void tabCaptionsAreNeverCut();
  void everyWidgetIsMadeInAnInstalledFamily();
};

void TfrmMainTest::startupListsFontsAndShowsFirstSample() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  h.SeedRegistry("/home/u/.local/share/fonts");
  TfrmMain& form = h.Show();
  MainPage& m = form.tabMain();

  QCOMPARE(form.windowTitle(), QStringLiteral("Glyphera"));
  QCOMPARE(form.PageControl1()->count(), 6);
  const QStringList tabs = {
      "&Main",           "&Large Sample", "F&ont Map", "Show &All Selected", "&Edit Sample Text",
      "Preview/&Install"};
  for (int i = 0; i < tabs.size(); ++i) QCOMPARE(form.PageControl1()->tabText(i), tabs[i]);
  QCOMPARE(form.ActivePage(), Page::Main);

  QCOMPARE(Caption(m.lblFonts), QStringLiteral("Fonts: 3"));
  QCOMPARE(m.lstFonts->Text(0), std::string("arial"));
  QCOMPARE(m.lstFonts->Text(2), std::string("Times New Roman"));
  QCOMPARE(m.lstFonts->SelCount(), 1);
  QVERIFY(m.lstFonts->Selected(0));
  QCOMPARE(Caption(m.lblSample), QStringLiteral("Sample: arial"));
  QCOMPARE(Caption(m.lblSelected), QStringLiteral("Selected: 1"));
  QCOMPARE(Caption(m.lblFontType), QStringLiteral("Font Type: TrueType"));
  QCOMPARE(Caption(m.lblStyles), QStringLiteral("Styles: Regular, Bold "));
  QCOMPARE(m.memDispFont->FontName(), std::string("arial"));
  QCOMPARE(m.memDispFont->font().pointSizeF(), 12.0);
  QVERIFY(!m.memDispFont->font().bold());
  QCOMPARE(m.memDispFont->Text(),
           std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nabcdefghijklmnopqrstuvwxyz1234567890\r\n"
                       "The quick brown fox jumps over the lazy dog."));
  QCOMPARE(form.Parts().Fonts().CurrentFontName(), std::string("arial"));
  QVERIFY(!form.Parts().Fonts().NoScreenFont());
  QCOMPARE(form.Parts().Fonts().FontCount(), 3);
  QVERIFY(h.messages.shown.empty());
}

void TfrmMainTest::startupValuesAndRegistry() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  h.SeedRegistry("/home/u/.local/share/fonts");
  // At the design's own 120 dpi every size is the designed one.
  h.screen.dpi = 120;
  TfrmMain& form = h.Show();
  QCOMPARE(form.ProgramDir(), h.dir.Path() + "/");
  QCOMPARE(form.HelpFile(), h.dir.Path() + "/GLYPHERA.HLP");
  QCOMPARE(form.Parts().Texts().HeadingFont(), std::string("Arial"));
  QCOMPARE(form.Parts().FontsFolder(), std::string("/home/u/.local/share/fonts/"));
  QCOMPARE(form.Parts().FontRegistryKey(), std::string(RegistryKeys::kNtFonts));
  QCOMPARE(form.Parts().SampleSheetLines()[0], std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
  QCOMPARE(form.Parts().SampleSheetLines()[1].size(), std::size_t{60});
  const std::array<bool, 13> checked = {false, false, false, false, true, false, true,
                                        false, true,  false, true,  true, true};
  for (std::size_t i = 0; i < checked.size(); ++i) {
    QCOMPARE(form.tabMain().chkParaSizes[i]->Checked(), checked[i]);
  }
  QCOMPARE(form.Parts().ParagraphSizes()[12].PointSize, 14.0f);
  // The page step is 95 % of the scroll box's 436 pixels; the rows of the 217 pixels high grid
  // are 30 pixels high, and the grid line below each comes on top.
  QCOMPARE(form.PageStep(), 414);
  const Grid* grid = form.tabFontMap().grdFontMap;
  QCOMPARE(grid->rowHeight(0), 30 + 1);
  QCOMPARE(grid->size(), QSize(1 + 32 * (22 + 1), 1 + 7 * (30 + 1)));  // the frame hugs the cells
  // The columns fill the grid: no strip is left white right of the last one.
  const int gridWidth = grid->horizontalHeader()->length();
  QVERIFY2(gridWidth >= grid->viewport()->width() && gridWidth <= grid->viewport()->width() + 1,
           qPrintable(QString("%1 in %2").arg(gridWidth).arg(grid->viewport()->width())));
  QVERIFY(form.tabLargeSample().memLargeSample->Text().starts_with(
      "ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nabcdefghijklmnopqrstuvwxyz\r\n1234567890"));
}

void TfrmMainTest::registryFallbacks_data() {
  QTest::addColumn<QString>("seeded");  // null: nothing seeded
  QTest::addColumn<bool>("numberValue");
  QTest::addColumn<QString>("fontsFolder");
  QTest::addColumn<QString>("registryKey");
  QTest::addColumn<QString>("message");
  // Without a usable "Fonts" value, fonts go to the user's fonts folder, never to "/".
  const QString userFonts = "/srv/u/data/fonts/";
  QTest::newRow("empty store") << QString() << false << userFonts << RegistryKeys::kFonts << "";
  QTest::newRow("empty value") << "" << false << userFonts << RegistryKeys::kNtFonts << "";
  QTest::newRow("relative value") << "fonts" << false << userFonts << RegistryKeys::kNtFonts << "";
  QTest::newRow("root") << "//" << false << userFonts << RegistryKeys::kNtFonts << "";
  QTest::newRow("folder") << "/srv/f//" << false << "/srv/f/" << RegistryKeys::kNtFonts << "";
  QTest::newRow("value of the wrong type") << QString() << true << ""
                                           << ""
                                           << "Invalid data type for 'Fonts'";
}

void TfrmMainTest::registryFallbacks() {
  QFETCH(QString, seeded);
  QFETCH(bool, numberValue);
  QFETCH(QString, fontsFolder);
  QFETCH(QString, registryKey);
  QFETCH(QString, message);
  const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", "/srv/u/data");
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  if (!seeded.isNull()) h.SeedRegistry(seeded.toStdString());
  if (numberValue) {
    h.registry.SetValue(RegistryRoot::CurrentUser, RegistryKeys::kShellFolders,
                        RegistryKeys::kFontsValue, {RegistryType::Number, "", 7});
  }
  h.screen.width = 640;
  TfrmMain& form = h.Create();
  QCOMPARE(QString::fromStdString(form.Parts().FontsFolder()), fontsFolder);
  QCOMPARE(QString::fromStdString(form.Parts().FontRegistryKey()), registryKey);
  if (message.isEmpty()) {
    QVERIFY(h.messages.shown.empty());
  } else {
    QCOMPARE(h.messages.shown.size(), std::size_t{1});
    QCOMPARE(h.messages.shown[0].Title, std::string("Glyphera"));
    QCOMPARE(QString::fromStdString(h.messages.shown[0].Text), message);
  }
  // The window is still placed for the small screen after the registry failed.
  QCOMPARE(form.pos(), QPoint(0, 0));
  if (dataHome.isNull())
    qunsetenv("XDG_DATA_HOME");
  else
    qputenv("XDG_DATA_HOME", dataHome);
}

void TfrmMainTest::printerOnlyFontIsExplainedAndPagesRefused() {
  MainWindowHarness h;
  h.fonts.AddTrueTypeFamily("Arial", {"Regular"});
  h.printer.printers = {{"Laser", std::vector<std::string>{"Arial", "Courier PS"}}};
  TfrmMain& form = h.Show();
  MainPage& m = form.tabMain();
  m.lstFonts->setFocus();
  ClickItem(m.lstFonts, 1);
  QCOMPARE(form.Parts().Fonts().CurrentFontName(), std::string("Courier PS"));
  QVERIFY(form.Parts().Fonts().NoScreenFont());
  QCOMPARE(m.memDispFont->Text(), std::string("This font does not have an equivalent screen "
                                              "font and cannot be displayed."));
  QCOMPARE(m.memDispFont->FontName(), std::string("System"));
  QCOMPARE(Caption(m.lblSample), QStringLiteral("Sample: Courier PS"));
  QCOMPARE(Caption(m.lblFontType), QStringLiteral("Font Type: Printer Resident"));
  QCOMPARE(Caption(m.lblStyles), QString());

  // Ctrl+Tab goes to Large Sample and is turned back; so is a click on the Font Map tab.
  PressCtrlTab(form, true);
  QCOMPARE(form.ActivePage(), Page::Main);
  form.PageControl1()->tabBar()->setCurrentIndex(static_cast<int>(Page::FontMap));
  QCOMPARE(form.ActivePage(), Page::Main);
  QCOMPARE(h.messages.shown.size(), std::size_t{2});
  for (const auto& box : h.messages.shown) {
    QCOMPARE(box.Kind, MessageKind::Information);
    QCOMPARE(box.Title, std::string("Information"));
    QCOMPARE(box.Text, kNoScreenMessage);
  }
  for (Page open : {Page::ShowAll, Page::Edit, Page::Install}) {
    form.PageControl1()->setCurrentIndex(static_cast<int>(open));
    QCOMPARE(form.ActivePage(), open);
  }
  QCOMPARE(h.messages.shown.size(), std::size_t{2});
}

void TfrmMainTest::ctrlTabWrapsAroundThePages() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  for (int i = 1; i <= 6; ++i) {
    PressCtrlTab(form, true);
    QCOMPARE(static_cast<int>(form.ActivePage()), i % 6);
  }
  PressCtrlTab(form, false);
  QCOMPARE(form.ActivePage(), Page::Install);
  QVERIFY(h.messages.shown.empty());
}

void TfrmMainTest::largeSamplePageTakesTheCurrentFont() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  LargeSamplePage& large = form.tabLargeSample();
  large.spnLargeSample->SetValue(36);
  large.memLargeSample->SetBold(true);
  ClickItem(form.tabMain().lstFonts, 2);
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::LargeSample));
  QCOMPARE(Caption(large.lblLargeSample), QStringLiteral("Times New Roman"));
  QCOMPARE(large.memLargeSample->FontName(), std::string("Times New Roman"));
  QCOMPARE(large.memLargeSample->font().pointSizeF(), 36.0);
  QVERIFY(large.memLargeSample->font().bold());
}

void TfrmMainTest::showAllKeysPageTheView() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::ShowAll));
  ShowAllPage& page = form.tabShowAll();
  QScrollBar* bar = page.ScrollBox1->verticalScrollBar();
  const int last = bar->maximum();
  QVERIFY(last > form.PageStep());
  page.spnSelected->setFocus();
  QWidget* target = page.spnSelected;

  QTest::keyClick(target, Qt::Key_PageUp);
  QCOMPARE(bar->value(), 0);
  QTest::keyClick(target, Qt::Key_PageDown);
  QCOMPARE(bar->value(), form.PageStep());
  QTest::keyClick(target, Qt::Key_PageDown);
  QCOMPARE(bar->value(), 2 * form.PageStep());
  QTest::keyClick(target, Qt::Key_PageUp);
  QCOMPARE(bar->value(), form.PageStep());
  QTest::keyClick(target, Qt::Key_End);
  QCOMPARE(bar->value(), last);
  QTest::keyClick(target, Qt::Key_PageDown);
  QCOMPARE(bar->value(), last);
  QTest::keyClick(target, Qt::Key_Home);
  QCOMPARE(bar->value(), 0);
  // The spin edit saw the keys too, and the page keys did not step it.
  QCOMPARE(page.spnSelected->Value(), 12);

  QTest::keyClick(target, Qt::Key_End);
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::ShowAll));
  QCOMPARE(bar->value(), 0);
}

void TfrmMainTest::pageKeysElsewhereReachTheFocusedControl() {
  MainWindowHarness h;
  std::vector<std::string> many;
  for (int i = 0; i < 100; ++i) many.push_back("Font " + std::to_string(1000 + i));
  h.UseFonts(many);
  TfrmMain& form = h.Show();
  QScrollBar* bar = form.tabShowAll().ScrollBox1->verticalScrollBar();
  ListBox* list = form.tabMain().lstFonts;
  list->setFocus();
  QTest::keyClick(list, Qt::Key_End);
  QCOMPARE(bar->value(), 0);
  QCOMPARE(list->ItemIndex(), 99);
  QCOMPARE(form.Parts().Fonts().CurrentFontName(), std::string("Font 1099"));
  QTest::keyClick(list, Qt::Key_Home);
  QCOMPARE(list->ItemIndex(), 0);
  QCOMPARE(bar->value(), 0);
}

void TfrmMainTest::selectAllWith250Fonts() {
  MainWindowHarness h;
  std::vector<std::string> many;
  for (int i = 0; i < 250; ++i) many.push_back("Face " + std::to_string(i));
  h.UseFonts(many);
  TfrmMain& form = h.Show();
  ClickItem(form.tabMain().lstFonts, 3);
  const std::string current = form.Parts().Fonts().CurrentFontName();
  const std::string sample = form.tabMain().memDispFont->Text();
  const int enumerations = h.fonts.enumerations;
  QTest::mouseClick(form.tabMain().cmdSelectAll, Qt::LeftButton);
  QCOMPARE(Caption(form.tabMain().lblSelected), QStringLiteral("Selected: 250"));
  QCOMPARE(form.Parts().Fonts().SelectedCount(), 250);
  QCOMPARE(form.tabMain().lstFonts->SelCount(), 250);
  QVERIFY(form.tabMain().lstFonts->isVisible());
  QCOMPARE(form.Parts().Fonts().CurrentFontName(), current);
  QCOMPARE(form.tabMain().memDispFont->Text(), sample);
  QCOMPARE(h.fonts.enumerations, enumerations);
}

void TfrmMainTest::ctrlClickDeselectsAndMakesCurrent() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  ListBox* list = form.tabMain().lstFonts;
  ClickItem(list, 1, Qt::ControlModifier);
  ClickItem(list, 2, Qt::ControlModifier);
  QCOMPARE(Caption(form.tabMain().lblSelected), QStringLiteral("Selected: 3"));
  ClickItem(list, 1, Qt::ControlModifier);
  QCOMPARE(Caption(form.tabMain().lblSelected), QStringLiteral("Selected: 2"));
  QCOMPARE(form.Parts().Fonts().CurrentFontName(), std::string("Courier New"));
}

// Print reached by its Alt letter leaves the focus in a size box typed out of range.
void TfrmMainTest::printSizeIsBroughtIntoRangeFirst() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  MainPage& m = form.tabMain();
  m.chkSample->SetChecked(true);
  for (const auto& [typed, printed] : {std::pair{-5, "4"}, std::pair{99999, "60"}}) {
    m.spnSampleSize->SetValue(typed);
    m.cmdPrint->click();
    const auto& texts = h.printer.Printed().back()->Page->texts;
    QVERIFY(std::any_of(texts.begin(), texts.end(), [printed](const auto& text) {
      return text.Value.find(std::string("Size: ") + printed + " points") != std::string::npos;
    }));
  }
}

void TfrmMainTest::smallWindowsAreCentredOnTheScreen() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  form.move(0, 0);  // far from the middle, so that centring on it would show
  TfrmAbout about(DesignScale(96), &form);
  const QPoint middle = QGuiApplication::primaryScreen()->geometry().center();
  for (QWidget* window :
       {static_cast<QWidget*>(&about), static_cast<QWidget*>(&form.Parts().frmPrinting())}) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // Within the window frame's few pixels.
    QVERIFY((window->geometry().center() - middle).manhattanLength() <= 8);
    window->hide();
  }
}

void TfrmMainTest::fontListRowsAreTheDesignedHeight() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  ListBox& list = *form.tabMain().lstFonts;
  // 16 pixels at the design's 120 dpi, whatever the font's own height.
  const int expected = DesignScale(h.screen.LogicalDpi())(16);
  QCOMPARE(list.visualRect(list.model()->index(1, 0)).height(), expected);
}

void TfrmMainTest::sampleSizeAndStyle() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  MainPage& m = form.tabMain();
  auto* edit = m.spnPointSize->findChild<QLineEdit*>();
  m.spnPointSize->setFocus();
  edit->selectAll();
  QTest::keyClicks(m.spnPointSize, "25");
  QCOMPARE(m.memDispFont->font().pointSizeF(), 12.0);  // 2 was out of range, 25 too
  m.lstFonts->setFocus();
  QTRY_COMPARE(edit->text(), QStringLiteral("20"));
  QCOMPARE(m.memDispFont->font().pointSizeF(), 20.0);
  edit->setText(QString());
  QCOMPARE(m.memDispFont->font().pointSizeF(), 4.0);

  m.chkSampleBold->SetChecked(true);
  m.chkSampleItalic->SetChecked(true);
  QVERIFY(m.memDispFont->font().bold());
  QVERIFY(m.memDispFont->font().italic());
  m.chkSampleBold->SetChecked(false);
  QVERIFY(!m.memDispFont->font().bold());
  QVERIFY(m.memDispFont->font().italic());
  // Another font keeps the size and the style.
  ClickItem(m.lstFonts, 1);
  QVERIFY(m.memDispFont->font().italic());
  QCOMPARE(m.memDispFont->FontName(), std::string("Courier New"));
}

void TfrmMainTest::windowPlacement_data() {
  QTest::addColumn<int>("screenWidth");
  QTest::addColumn<QPoint>("place");
  QTest::newRow("800 wide") << 800 << QPoint(0, 0);
  QTest::newRow("801 wide") << 801 << QPoint(133, 87);
}

void TfrmMainTest::windowPlacement() {
  QFETCH(int, screenWidth);
  QFETCH(QPoint, place);
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  h.screen.width = screenWidth;
  QCOMPARE(h.Create().pos(), place);
}

void TfrmMainTest::fontMapCells_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("row");
  QTest::addColumn<uint>("character");
  QTest::newRow("space") << 0 << 0 << 0x20u;
  QTest::newRow("ampersand") << 6 << 0 << 0x26u;
  QTest::newRow("A") << 1 << 1 << 0x41u;
  QTest::newRow("euro") << 0 << 3 << 0x20ACu;
  QTest::newRow("undefined 0x81") << 1 << 3 << 0x81u;
  QTest::newRow("no-break space") << 0 << 4 << 0xA0u;
  QTest::newRow("last") << 31 << 6 << 0xFFu;
}

void TfrmMainTest::fontMapCells() {
  QFETCH(int, column);
  QFETCH(int, row);
  QFETCH(uint, character);
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  const TfrmMain& form = h.Create();
  const QString cell = form.tabFontMap().grdFontMap->Cell(column, row);
  QCOMPARE(cell.size(), 1);
  QCOMPARE(static_cast<uint>(cell.at(0).unicode()), character);
}

void TfrmMainTest::noPrinterLeavesAUsableWindow_data() {
  QTest::addColumn<bool>("printerExists");
  QTest::addColumn<QString>("message");
  QTest::newRow("no printer") << false << "There is no default printer currently selected.";
  QTest::newRow("printer without fonts") << true << "The current printer reports no fonts.";
}

void TfrmMainTest::noPrinterLeavesAUsableWindow() {
  QFETCH(bool, printerExists);
  QFETCH(QString, message);
  MainWindowHarness h;
  h.fonts.AddTrueTypeFamily("Arial", {"Regular"});
  if (printerExists) h.printer.printers = {{"Empty", std::vector<std::string>{}}};
  h.SeedRegistry("/fonts");
  TfrmMain& form = h.Show();
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(h.messages.shown[0].Text), message);
  QCOMPARE(h.messages.shown[0].Title, std::string("Glyphera"));
  QCOMPARE(Caption(form.tabMain().lblFonts), QStringLiteral("Fonts: 0"));
  QCOMPARE(form.Parts().Fonts().FontCount(), 0);
  // The rest of the start-up still ran.
  QCOMPARE(form.Parts().FontsFolder(), std::string("/fonts/"));
  QCOMPARE(form.tabFontMap().grdFontMap->Cell(1, 1), QStringLiteral("A"));
  QVERIFY(form.Parts().Fonts().NoScreenFont());
  QTest::mouseClick(form.tabMain().cmdSelectAll, Qt::LeftButton);
  QCOMPARE(Caption(form.tabMain().lblSelected), QStringLiteral("Selected: 0"));
  PressCtrlTab(form, true);
  QCOMPARE(form.ActivePage(), Page::Main);
  QCOMPARE(h.messages.shown.size(), std::size_t{2});
  QCOMPARE(h.messages.shown[1].Text, kNoScreenMessage);
}

void TfrmMainTest::helpMenuShowsTheHelpFile() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  const QList<QAction*> items = form.HelpMenu()->actions();
  QCOMPARE(items.size(), 3);
  QVERIFY(items[0]->text().contains(QStringLiteral("&U")));
  QVERIFY(items[1]->isSeparator());
  QCOMPARE(items[2]->text(), QStringLiteral("&About"));
  items[0]->trigger();
  QCOMPARE(h.help.shownFiles, std::vector<std::string>{h.dir.Path() + "/GLYPHERA.HLP"});
  QCOMPARE(form.FileMenu()->actions().at(0)->text(), QStringLiteral("E&xit"));
}

void TfrmMainTest::closeRestoresTheCursor() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  h.screen.cursors.clear();
  form.FileMenu()->actions().at(0)->trigger();
  QVERIFY(!form.isVisible());
  QCOMPARE(h.screen.cursors,
           (std::vector<CursorShape>{CursorShape::Hourglass, CursorShape::Default}));
}

// Fonts do not grow in proportion to the dpi as the design's widths do: whatever the dpi, every
// caption fits the room the style leaves inside its tab, and the tabs keep their designed width.
void TfrmMainTest::tabCaptionsAreNeverCut() {
  for (const int dpi : {96, 120, 144, 192}) {
    MainWindowHarness h;
    h.UseFonts(kThreeFonts);
    h.screen.dpi = dpi;
    TfrmMain& form = h.Show();
    QTabBar& bar = *form.PageControl1()->tabBar();
    const QFontMetrics metrics(bar.font());
    const int room = bar.style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, &bar);
    for (int i = 0; i < bar.count(); ++i) {
      const QString caption = bar.tabText(i).remove(QLatin1Char('&'));
      QVERIFY2(metrics.horizontalAdvance(caption) <= bar.tabRect(i).width() - room,
               qPrintable(QString::number(dpi) + " " + caption));
      QCOMPARE(bar.tabRect(i).width(), DesignScale(dpi)(128));
    }
  }
}

QTEST_MAIN(TfrmMainTest)
#include "TfrmMainTest.moc"

// A widget made or laid out in a family the machine lacks makes the toolkit search every
// installed family for a stand-in, which with thousands of families dominates the start.
void TfrmMainTest::everyWidgetIsMadeInAnInstalledFamily() {
  MainWindowHarness h;
  h.UseFonts(kThreeFonts);
  TfrmMain& form = h.Show();
  const QStringList installed = QFontDatabase::families();
  QList<QWidget*> widgets = form.findChildren<QWidget*>();
  widgets.append(&form);
  for (const QWidget* widget : widgets) {
    const QString family = widget->font().family();
    QVERIFY2(installed.contains(family), qPrintable(widget->objectName() + ": " + family));
  }
}

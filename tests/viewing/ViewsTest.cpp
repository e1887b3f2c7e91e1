#include <QLineEdit>
#include <QScrollArea>
#include <QtTest>

#include "app/FontMapPage.h"
#include "app/LargeSamplePage.h"
#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/ShowAllPage.h"
#include "app/TfrmMain.h"
#include "fakes/RecordingSurface.h"
#include "fixtures/MainWindowHarness.h"
#include "settings/EditSamplePage.h"
#include "viewing/FontList.h"
#include "viewing/FontMap.h"
#include "viewing/ShowAllSelected.h"
#include "widgets/CheckBox.h"
#include "widgets/Edit.h"
#include "widgets/Grid.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/PaintBox.h"
#include "widgets/SpinEdit.h"

namespace {

// A TrueType face whose character map is a symbol one.
FontStyleRecord SymbolFace() {
  FontStyleRecord symbol;
  symbol.elfStyle = "Regular";
  symbol.tmPitchAndFamily = TMPF_TRUETYPE;
  symbol.tmCharSet = SYMBOL_CHARSET;
  return symbol;
}

QString Caption(const Label* label) {
  return QString::fromStdString(label->Caption());
}

// A window whose printer lists these faces, every one of them on the screen.
TfrmMain& ShowWith(MainWindowHarness& h, const std::vector<std::string>& faces) {
  h.UseFonts(faces);
  return h.Show();
}

void SelectAll(TfrmMain& form) {
  form.Parts().Fonts().cmdSelectAllClick();
}

// Clicks the family in the Main page's list, then opens the Font Map as the user would.
void ViewFontMapOf(TfrmMain& form, const QString& family) {
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  ListBox* list = form.tabMain().lstFonts;
  for (int i = 0; i < list->Count(); ++i) {
    if (QString::fromStdString(list->Text(i)) != family) continue;
    const QRect row = list->visualRect(list->model()->index(i, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
  }
  QCOMPARE(QString::fromStdString(form.Parts().Fonts().CurrentFontName()), family);
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::FontMap));
}

}  // namespace

class ViewsTest : public QObject {
  Q_OBJECT
 private slots:
  void steps_data();
  void steps();
  void threeFontsAt96Dpi();
  void nothingSelectedTakesOneHeading();
  void entriesWithoutScreenFontAreSkipped();
  void onlyTheExposedRowsAreDrawn();
  void rangeAfterPaintAndAfterSizeChange();
  void outOfRangeSizeKeepsTheLastDrawing();
  void fontMapCellsAndLabels_data();
  void fontMapCellsAndLabels();
  void refreshFontMapClearsStylesAndGoesToA();
  void symbolFontShowsItsOwnGlyphs();
  void currentCharacterFollowsTheFace_data();
  void currentCharacterFollowsTheFace();
  void largeSampleKeepsItsStyleAcrossFonts();
};

void ViewsTest::steps_data() {
  QTest::addColumn<int>("dpi");
  QTest::addColumn<int>("points");
  QTest::addColumn<int>("heading");
  QTest::addColumn<int>("sample");
  QTest::newRow("96 dpi, 12 points") << 96 << 12 << 14 << 21;    // 20.8
  QTest::newRow("120 dpi, 15 points") << 120 << 15 << 18 << 32;  // 17.5 and 32.5 go to even
  QTest::newRow("120 dpi, 12 points") << 120 << 12 << 18 << 26;
  QTest::newRow("96 dpi, 55 points") << 96 << 55 << 14 << 95;
}

void ViewsTest::steps() {
  QFETCH(int, dpi);
  QFETCH(int, points);
  QFETCH(int, heading);
  QFETCH(int, sample);
  QCOMPARE(HeadingStep(dpi), heading);
  QCOMPARE(SampleStep(dpi, points), sample);
}

void ViewsTest::threeFontsAt96Dpi() {
  MainWindowHarness h;
  TfrmMain& form = ShowWith(h, {"Alpha", "Beta", "Gamma", "Delta"});
  ListBox* list = form.tabMain().lstFonts;  // Alpha, Beta, Delta, Gamma
  list->SelectRange(0, 3);
  list->SetSelected(2, false);
  form.tabMain().chkSampleItalic->SetChecked(true);
  RecordingSurface surface(96);
  QCOMPARE(form.Parts().SelectedView().DrawSelectedFonts(surface, 12), 124);
  QCOMPARE(surface.texts.size(), std::size_t{3});
  QCOMPARE(surface.blocks.size(), std::size_t{3});
  const std::vector<int> tops = {5, 19, 40, 54, 75, 89};
  const std::vector<std::string> names = {"Alpha", "Beta", "Gamma"};
  for (std::size_t i = 0; i < tops.size(); ++i) {
    // The headings are texts; each sample is a block kept to its line, up to the next heading.
    const RecordingSurface::Block& band = surface.blocks[i / 2];
    const RecordingSurface::Text text =
        i % 2 == 0
            ? surface.texts[i / 2]
            : RecordingSurface::Text{band.Bounds.Left, band.Bounds.Top, band.Value, band.Font};
    QCOMPARE(text.X, 5);
    QCOMPARE(text.Y, tops[i]);
    if (i % 2 == 0) {
      QCOMPARE(text.Value, names[i / 2]);
      QCOMPARE(text.Font.Face, std::string("Arial"));
      QCOMPARE(text.Font.Points, 9);
      QVERIFY(text.Font.Bold && !text.Font.Italic);
    } else {
      QCOMPARE(band.Bounds.Bottom, tops[i] + 21);
      QCOMPARE(text.Value, std::string("The quick brown fox jumps over the lazy dog."));
      QCOMPARE(text.Font.Face, names[i / 2]);
      QCOMPARE(text.Font.Points, 12);
      QVERIFY(!text.Font.Bold && text.Font.Italic);
    }
  }
}

void ViewsTest::nothingSelectedTakesOneHeading() {
  MainWindowHarness h;
  TfrmMain& form = ShowWith(h, {"Alpha", "Beta"});
  form.tabMain().lstFonts->SetSelected(0, false);
  RecordingSurface surface(96);
  QCOMPARE(form.Parts().SelectedView().DrawSelectedFonts(surface, 12), 19);
  QVERIFY(surface.texts.empty());
  form.Parts().SelectedView().pbxSelectedPaint(surface);
  QCOMPARE(form.Parts().SelectedView().ScrollRange(), 20);
}

void ViewsTest::entriesWithoutScreenFontAreSkipped() {
  MainWindowHarness h;
  h.fonts.AddTrueTypeFamily("Alpha", {"Regular"});
  h.printer.printers = {{"Laser", std::vector<std::string>{"Alpha", "Printer Only"}}};
  TfrmMain& form = h.Show();
  SelectAll(form);
  RecordingSurface surface(96);
  QCOMPARE(form.Parts().SelectedView().DrawSelectedFonts(surface, 12), 5 + 35 + 14);
  QCOMPARE(surface.texts.size() + surface.blocks.size(), std::size_t{2});
  QCOMPARE(surface.texts[0].Value, std::string("Alpha"));
}

void ViewsTest::onlyTheExposedRowsAreDrawn() {
  MainWindowHarness h;
  std::vector<std::string> faces;
  for (int i = 0; i < 2000; ++i) faces.push_back("Face " + std::to_string(10000 + i));
  TfrmMain& form = ShowWith(h, faces);
  SelectAll(form);
  RecordingSurface surface(96);
  // Rows 3500 to 3936 of a view whose entries are 35 pixels apart.
  surface.clipTop = 3500;
  surface.clipBottom = 3936;
  const int height = form.Parts().SelectedView().DrawSelectedFonts(surface, 12);
  QCOMPARE(height, 5 + 2000 * 35 + 14);
  QVERIFY(surface.fonts.size() <= 2 * 14);
  QVERIFY(!surface.texts.empty());
  QCOMPARE(surface.blocks.size(), surface.texts.size());  // each entry is drawn whole
  for (std::size_t i = 0; i < surface.texts.size(); ++i) {
    const int top = surface.texts[i].Y;
    QCOMPARE(surface.blocks[i].Bounds.Top, top + 14);
    QVERIFY(top + 35 > 3500 && top < 3936);
  }
  QCOMPARE(surface.texts.front().Value, std::string("Face 10099"));  // 5 + 99 * 35 = 3470
}

void ViewsTest::rangeAfterPaintAndAfterSizeChange() {
  MainWindowHarness h;
  TfrmMain& form = ShowWith(h, {"A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9"});
  SelectAll(form);
  ShowAllSelected& view = form.Parts().SelectedView();
  SpinEdit* spin = form.tabShowAll().spnSelected;
  const int dpi = form.tabShowAll().pbxSelected->logicalDpiY();
  spin->SetValue(55);
  const int height = 5 + 9 * (HeadingStep(dpi) + SampleStep(dpi, 55)) + HeadingStep(dpi);
  if (dpi == 96) QCOMPARE(height, 1000);
  QCOMPARE(view.ScrollRange(), static_cast<int>(height * 1.01));
  QCOMPARE(form.tabShowAll().pbxSelected->height(), height);
  RecordingSurface surface(dpi);
  view.pbxSelectedPaint(surface);
  QCOMPARE(view.ScrollRange(), height + 1);
  if (dpi == 96) {
    spin->SetValue(55);  // no change of text, no handling
    QCOMPARE(view.ScrollRange(), 1001);
  }
}

void ViewsTest::outOfRangeSizeKeepsTheLastDrawing() {
  MainWindowHarness h;
  TfrmMain& form = ShowWith(h, {"Alpha"});
  auto* edit = form.tabShowAll().spnSelected->findChild<QLineEdit*>();
  edit->setText(QStringLiteral("30"));
  edit->setText(QStringLiteral("3"));  // on the way to 30, or a slip
  RecordingSurface surface(96);
  form.Parts().SelectedView().pbxSelectedPaint(surface);
  QCOMPARE(surface.blocks.size(), std::size_t{1});
  QCOMPARE(surface.blocks[0].Font.Points, 30);
  edit->setText(QString());  // not a number: the minimum, which is valid
  RecordingSurface again(96);
  form.Parts().SelectedView().pbxSelectedPaint(again);
  QCOMPARE(again.blocks[0].Font.Points, 4);
}

void ViewsTest::fontMapCellsAndLabels_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("panel");
  QTest::newRow("space") << 0 << 0 << "Current Character:  32   "
                         << " ";
  QTest::newRow("ampersand") << 6 << 0 << "Current Character:  38  &&"
                             << "&&";
  QTest::newRow("A") << 1 << 1 << "Current Character:  65  A"
                     << "A";
  QTest::newRow("euro") << 0 << 3 << QString::fromUtf8("Current Character:  128  \u20ac")
                        << QString::fromUtf8("\u20ac");
  QTest::newRow("last") << 31 << 6 << QString::fromUtf8("Current Character:  255  \u00ff")
                        << QString::fromUtf8("\u00ff");
}

void ViewsTest::fontMapCellsAndLabels() {
  QFETCH(int, column);
  QFETCH(int, row);
  QFETCH(QString, label);
  QFETCH(QString, panel);
  MainWindowHarness h;
  TfrmMain& form = ShowWith(h, {"Alpha"});
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::FontMap));
  FontMapPage& page = form.tabFontMap();
  const QRect cell = page.grdFontMap->visualItemRect(page.grdFontMap->item(row, column));
  QTest::mouseClick(page.grdFontMap->viewport(), Qt::LeftButton, {}, cell.center());
  QCOMPARE(page.grdFontMap->Col(), column);
  QCOMPARE(page.grdFontMap->Row(), row);
  QCOMPARE(Caption(page.lblCurrChar), label);
  QCOMPARE(Caption(page.pnlCurrChar), panel);
  if (column == 6) QCOMPARE(page.pnlCurrChar->text(), QStringLiteral("&"));
}

void ViewsTest::refreshFontMapClearsStylesAndGoesToA() {
  MainWindowHarness h;
  TfrmMain& form = ShowWith(h, {"Alpha", "Beta"});
  FontMapPage& page = form.tabFontMap();
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::FontMap));
  page.grdFontMap->SetCol(5);
  page.chkGridBold->SetChecked(true);
  QVERIFY(page.grdFontMap->font().bold());
  QVERIFY(page.pnlCurrChar->font().bold());
  int clicks = 0;
  const auto handler = page.grdFontMap->OnClick;
  page.grdFontMap->OnClick = [&] {
    ++clicks;
    handler();
  };
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::FontMap));
  QVERIFY(!page.chkGridBold->Checked());
  QVERIFY(!page.grdFontMap->font().bold());
  QVERIFY(!page.pnlCurrChar->font().bold());
  QCOMPARE(clicks, 1);  // the first entry left it at row 1: only the column moves
  QCOMPARE(page.grdFontMap->Col(), 1);
  QCOMPARE(page.grdFontMap->Row(), 1);
  QCOMPARE(Caption(page.lblCurrChar), QStringLiteral("Current Character:  65  A"));
  QCOMPARE(Caption(page.lblGridHeading), QStringLiteral("Alpha"));
  QCOMPARE(page.grdFontMap->FaceName(), std::string("Alpha"));
  QCOMPARE(page.pnlCurrChar->FaceName(), std::string("Alpha"));
  // From (1, 4) both moves are real; from (1, 1) neither is.
  page.grdFontMap->SetRow(4);
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  page.grdFontMap->SetCol(9);
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::FontMap));
  QCOMPARE(clicks, 5);
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::FontMap));
  QCOMPARE(clicks, 5);
}

void ViewsTest::symbolFontShowsItsOwnGlyphs() {
  MainWindowHarness h;
  h.fonts.AddFamily("Dingbats", {SymbolFace()});
  h.fonts.AddTrueTypeFamily("Text", {"Regular"});
  h.printer.printers = {{"Laser", std::vector<std::string>{"Dingbats", "Text"}}};
  TfrmMain& form = h.Show();
  FontMapPage& page = form.tabFontMap();
  QCOMPARE(page.pnlCurrChar->font().pointSizeF(), 20.0);
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::FontMap));
  QCOMPARE(page.grdFontMap->Cell(1, 1).at(0).unicode(), char16_t{0xF041});
  QCOMPARE(Caption(page.pnlCurrChar), QString(QChar(0xF041)));
  QCOMPARE(Caption(page.lblCurrChar), QStringLiteral("Current Character:  65  A"));

  ListBox* list = form.tabMain().lstFonts;
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  const QRect second = list->visualRect(list->model()->index(1, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  QCOMPARE(page.pnlCurrChar->font().pointSizeF(), 30.0);
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::FontMap));
  QCOMPARE(page.grdFontMap->Cell(1, 1), QStringLiteral("A"));
}

void ViewsTest::currentCharacterFollowsTheFace_data() {
  QTest::addColumn<QStringList>("families");  // viewed in turn on the Font Map
  QTest::addColumn<bool>("clickAmpersand");
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("panel");
  const QString a = QStringLiteral("Current Character:  65  A");
  const QString amp = QStringLiteral("Current Character:  38  &&");
  const QString symbolA(QChar(0xF041));
  const QString symbolAmp(QChar(0xF026));
  QTest::newRow("symbol 38") << QStringList{"Dingbats"} << true << amp << symbolAmp;
  QTest::newRow("text 38") << QStringList{"Alpha"} << true << amp << "&&";
  QTest::newRow("text, symbol") << QStringList{"Alpha", "Dingbats"} << false << a << symbolA;
  QTest::newRow("symbol, text") << QStringList{"Dingbats", "Alpha"} << false << a << "A";
  QTest::newRow("text, symbol, text")
      << QStringList{"Alpha", "Dingbats", "Alpha"} << false << a << "A";
}

void ViewsTest::currentCharacterFollowsTheFace() {
  QFETCH(QStringList, families);
  QFETCH(bool, clickAmpersand);
  QFETCH(QString, label);
  QFETCH(QString, panel);
  MainWindowHarness h;
  h.fonts.AddFamily("Dingbats", {SymbolFace()});
  h.fonts.AddTrueTypeFamily("Alpha", {"Regular"});
  h.printer.printers = {{"Laser", std::vector<std::string>{"Alpha", "Dingbats"}}};
  TfrmMain& form = h.Show();
  FontMapPage& page = form.tabFontMap();
  for (const QString& family : families) ViewFontMapOf(form, family);
  if (clickAmpersand) {
    page.grdFontMap->SetCol(6);
    page.grdFontMap->SetRow(0);
  }
  QCOMPARE(Caption(page.lblCurrChar), label);
  QCOMPARE(Caption(page.pnlCurrChar), panel);
}

void ViewsTest::largeSampleKeepsItsStyleAcrossFonts() {
  MainWindowHarness h;
  TfrmMain& form = ShowWith(h, {"Alpha", "Beta"});
  LargeSamplePage& page = form.tabLargeSample();
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::LargeSample));
  page.chkLargeBold->SetChecked(true);
  auto* edit = page.spnLargeSample->findChild<QLineEdit*>();
  edit->setText(QStringLiteral("70"));  // out of range: no change
  QCOMPARE(page.memLargeSample->font().pointSizeF(), 24.0);
  edit->setText(QStringLiteral("48"));
  QCOMPARE(page.memLargeSample->font().pointSizeF(), 48.0);
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  ListBox* list = form.tabMain().lstFonts;
  const QRect second = list->visualRect(list->model()->index(1, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::LargeSample));
  QCOMPARE(page.memLargeSample->FontName(), std::string("Beta"));
  QCOMPARE(Caption(page.lblLargeSample), QStringLiteral("Beta"));
  QVERIFY(page.memLargeSample->font().bold());
  QCOMPARE(page.memLargeSample->font().pointSizeF(), 48.0);
}

QTEST_MAIN(ViewsTest)
#include "ViewsTest.moc"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QtEndian>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "fakes/FakeApplicationInfo.h"
#include "fakes/FakeFontServices.h"
#include "fakes/FakeFontTable.h"
#include "fakes/FakeHelp.h"
#include "fakes/FakeMessageBoxes.h"
#include "fakes/FakeMessageDispatch.h"
#include "fakes/FakePrinterSetup.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeSystemFontCache.h"
#include "fixtures/CollectionBuilder.h"
#include "fixtures/FileBytes.h"
#include "fixtures/RealServices.h"
#include "fixtures/TempDir.h"
#include "install/PreviewFonts.h"
#include "install/PreviewInstallPage.h"
#include "platform/desktop/ApplicationErrorHandler.h"
#include "platform/desktop/QtMessageDispatch.h"
#include "platform/desktop/QtScreen.h"
#include "platform/drawing/IDrawingSurface.h"
#include "platform/fonts/FontconfigFontServices.h"
#include "platform/fonts/FontconfigFontTable.h"
#include "platform/printers/Printers.h"
#include "platform/storage/ProfileStrings.h"
#include "platform/storage/RegistryStore.h"
#include "settings/EditSamplePage.h"
#include "viewing/FontList.h"
#include "widgets/CheckBox.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/Edit.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"

namespace {

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& file) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

int IndexOf(const ListBox& list, const std::string& name) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Text(i) == name) return i;
  }
  return -1;
}

}  // namespace

// Prints through the real PDF printer into a temporary folder.
class PdfPrintingTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void everySheetIsAFileInPrintOrder();
  void abortedDocumentLeavesNoFile();
  void pdfPrinterKeepsItsPaper();
  void sampleSheetTextStandsWhereTheLayoutPutsIt();
  void previewFacesArePrintedFromTheirFiles();
  void collectionFacesShowAndPrintAsThemselves();
  void fullDiskEndsTheJobAndKeepsFinishedSheets();
  void staleSheetsOfAKilledRunAreRemoved();
  void printersSharingAFolderKeepEverySheet_data();
  void printersSharingAFolderKeepEverySheet();
  void eachFamilyPrintsItsOwnFace_data();
  void eachFamilyPrintsItsOwnFace();

 private:
  TempDir home_;
};

void PdfPrintingTest::initTestCase() {
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home_.File("config")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_.File("data")));
}

void PdfPrintingTest::everySheetIsAFileInPrintOrder() {
  RealServices real(home_.File("glyphera"));
  Printers& printer = real.printer;
  const std::string out = home_.File("out");
  printer.SetOutputFolder(out);
  FakeMessageBoxes& messages = real.messages;
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(printer.PrinterIndex(), 0);

  MainPage& m = form.tabMain();
  m.lstFonts->SetSelected(0, false);
  m.lstFonts->SetSelected(IndexOf(*m.lstFonts, "DejaVu Sans"), true);
  m.lstFonts->SetSelected(IndexOf(*m.lstFonts, "DejaVu Serif"), true);
  form.Parts().Fonts().lstFontsClick();
  m.chkSample->SetChecked(true);
  m.chkCharChart->SetChecked(true);
  QTest::mouseClick(m.cmdPrint, Qt::LeftButton);
  QVERIFY2(messages.shown.empty(), messages.shown.empty() ? "" : messages.shown[0].Text.c_str());

  const QStringList files = QDir(QString::fromStdString(out))
                                .entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
  QCOMPARE(files.size(), 3);
  QVERIFY(QDir(QString::fromStdString(out)).entryList(QDir::Hidden | QDir::Files).size() == 3);
  const QString first = PdfText(QString::fromStdString(out) + "/" + files[0]);
  QVERIFY(first.contains(QStringLiteral("DejaVu Sans")) &&
          first.contains(QStringLiteral("DejaVu Serif")));
  QVERIFY(PdfText(QString::fromStdString(out) + "/" + files[1])
              .contains(QStringLiteral("DejaVu Sans")));
  QVERIFY(PdfText(QString::fromStdString(out) + "/" + files[2])
              .contains(QStringLiteral("DejaVu Serif")));

  // A second job never overwrites the first one's files and sorts after them.
  QTest::mouseClick(m.cmdPrint, Qt::LeftButton);
  const QStringList again = QDir(QString::fromStdString(out))
                                .entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
  QCOMPARE(again.size(), 6);
  QCOMPARE(again.mid(0, 3), files);
  // Each file is titled by its own sheet, the first of each job too.
  const char* titles[] = {"Sample Text", "Character Chart - DejaVu Sans",
                          "Character Chart - DejaVu Serif"};
  for (int i = 0; i < again.size(); ++i) {
    const QString info =
        Run(QStringLiteral("pdfinfo"), {QString::fromStdString(out) + "/" + again[i]});
    QVERIFY2(info.contains(QString("Title:           Glyphera - ") + titles[i % 3] + "\n"),
             qPrintable(info));
  }
}

void PdfPrintingTest::abortedDocumentLeavesNoFile() {
  FontconfigFontServices fonts;
  RegistryStore registry(RegistryStore::DefaultFilePath());
  QtMessageDispatch dispatch;
  Printers printer(fonts, registry, dispatch);
  const std::string out = home_.File("aborted");
  printer.SetOutputFolder(out);
  printer.BeginDoc();
  QVERIFY(printer.Printing());
  QCOMPARE(printer.Canvas().DpiY(), 600);
  QVERIFY_THROWS_EXCEPTION(std::exception, printer.BeginDoc());
  printer.Canvas().TextOut(100, 100, "discarded");
  printer.Abort();
  QVERIFY(!printer.Printing());
  QVERIFY(QDir(QString::fromStdString(out)).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void PdfPrintingTest::pdfPrinterKeepsItsPaper() {
  for (const auto& [paper, size] :
       {std::pair{"Letter", "612 x 792 pts"}, std::pair{"A4", "595 x 842 pts"}}) {
    const std::string out = home_.File(std::string("paper-") + paper);
    {
      RealServices real(home_.File("glyphera"));
      real.printer.SetOutputFolder(out);
      real.printer.SetPaperSize(paper);
    }
    RealServices real(home_.File("glyphera"));  // the choice is read back from the store
    QCOMPARE(real.printer.PaperSize(), std::string(paper));
    real.printer.BeginDoc();
    real.printer.Canvas().TextOut(100, 100, paper);
    real.printer.EndDoc();
    const QStringList files = QDir(QString::fromStdString(out)).entryList(QDir::Files);
    QCOMPARE(files.size(), 1);
    QVERIFY(Run(QStringLiteral("pdfinfo"), {QString::fromStdString(out) + "/" + files[0]})
                .contains(QString::fromLatin1(size)));
  }
  // A store that cannot be read leaves the PDF printer its defaults instead of stopping it.
  FontconfigFontServices fonts;
  FakeRegistry unreadable;
  unreadable.FailReadsWith("The registry store is corrupt");
  QtMessageDispatch dispatch;
  Printers printer(fonts, unreadable, dispatch);
  QVERIFY(printer.OutputFolder().ends_with("/Glyphera"));
  QVERIFY(printer.PaperSize() == "A4" || printer.PaperSize() == "Letter");
}

void PdfPrintingTest::previewFacesArePrintedFromTheirFiles() {
  // Two faces that are not installed, previewed from their files and printed.
  const std::string folder = home_.File("preview");
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
                             folder + "/mono.ttf");
  std::filesystem::copy_file("/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf",
                             folder + "/serif.ttf");
  RealServices real(home_.File("glyphera"));
  const std::string out = home_.File("preview-out");
  real.printer.SetOutputFolder(out);
  FakeMessageBoxes& messages = real.messages;
  FontconfigFontTable& fontTable = real.fontTable;
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  PreviewInstallPage& page = form.tabInstall();
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Install));
  page.Dir1->SetDirectory(folder);
  QTest::mouseClick(page.cmdPreview, Qt::LeftButton);
  QCOMPARE(page.lstPreview->Count(), 2);
  QTest::mouseClick(page.cmdAddAll, Qt::LeftButton);
  QTest::mouseClick(page.cmdPreviewPrint, Qt::LeftButton);
  QVERIFY2(messages.shown.empty(), messages.shown.empty() ? "" : messages.shown[0].Text.c_str());

  const QString outFolder = QString::fromStdString(out);
  const QStringList files = QDir(outFolder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
  QCOMPARE(files.size(), 1);
  const QString pdf = outFolder + "/" + files[0];
  const QString text = PdfText(pdf);
  QVERIFY(text.contains(QStringLiteral("DejaVu Sans Mono")));
  QVERIFY(text.contains(QStringLiteral("Liberation Serif")));
  const QString embedded = Run(QStringLiteral("pdffonts"), {pdf});
  QVERIFY2(embedded.contains(QStringLiteral("DejaVuSansMono")), qPrintable(embedded));
  QVERIFY2(embedded.contains(QStringLiteral("LiberationSerif")), qPrintable(embedded));

  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  QVERIFY(!fontTable.IsAdded(folder + "/mono.ttf"));
  QVERIFY(!fontTable.IsAdded(folder + "/serif.ttf"));
}

// A collection of a TrueType and a CFF face, neither installed: each is listed, shown and
// printed in its own face.
void PdfPrintingTest::collectionFacesShowAndPrintAsThemselves() {
  const std::string folder = home_.File("collection");
  std::filesystem::create_directories(folder);
  WriteBytes(
      folder + "/pair.ttc",
      MakeCollection({ReadBytes("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"),
                      ReadBytes("/usr/share/fonts/opentype/urw-base35/NimbusRoman-Bold.otf")}));
  RealServices real(home_.File("glyphera"));
  const std::string out = home_.File("collection-out");
  real.printer.SetOutputFolder(out);
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  PreviewInstallPage& page = form.tabInstall();
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Install));
  page.Dir1->SetDirectory(folder);
  QTest::mouseClick(page.cmdPreview, Qt::LeftButton);
  QCOMPARE(page.lstPreview->Count(), 2);
  for (const auto& [name, family] : {std::pair{"DejaVu Sans Mono", "DejaVu Sans Mono"},
                                     std::pair{"Nimbus Roman Bold", "Nimbus Roman"}}) {
    page.lstPreview->SetItemIndex(IndexOf(*page.lstPreview, name));
    form.Parts().Preview().lstPreviewClick();
    QCOMPARE(QFontInfo(page.memDispPreview->font()).family(), QString::fromLatin1(family));
  }
  QTest::mouseClick(page.cmdAddAll, Qt::LeftButton);
  QTest::mouseClick(page.cmdPreviewPrint, Qt::LeftButton);
  QVERIFY2(real.messages.shown.empty(),
           real.messages.shown.empty() ? "" : real.messages.shown[0].Text.c_str());
  const QStringList files =
      QDir(QString::fromStdString(out)).entryList({QStringLiteral("*.pdf")}, QDir::Files);
  QCOMPARE(files.size(), 1);
  const QString embedded =
      Run(QStringLiteral("pdffonts"), {QString::fromStdString(out) + "/" + files[0]});
  QVERIFY2(embedded.contains(QStringLiteral("DejaVuSansMono")) &&
               embedded.contains(QStringLiteral("NimbusRoman-Bold")),
           qPrintable(embedded));
}

// A disk that fills while sheets are written: the sheets written in full keep their names, the one
// cut short is removed, and the job ends with the cause instead of reporting success.
void PdfPrintingTest::fullDiskEndsTheJobAndKeepsFinishedSheets() {
  if (geteuid() != 0) QSKIP("a small filesystem can be mounted only by root");
  const std::string out = home_.File("small-disk");
  std::filesystem::create_directories(out);
  const QString folder = QString::fromStdString(out);
  if (QProcess::execute(QStringLiteral("mount"),
                        {"-t", "tmpfs", "-o", "size=120k", "tmpfs", folder}) != 0) {
    QSKIP("no small filesystem could be mounted");
  }
  const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {folder}); });
  RealServices real(home_.File("glyphera"));
  real.printer.SetOutputFolder(out);
  TfrmMain form(real.Services(), real.errors);
  MainPage& m = form.tabMain();
  QTest::mouseClick(m.cmdSelectAll, Qt::LeftButton);
  m.chkCharChart->SetChecked(true);
  QTest::mouseClick(m.cmdPrint, Qt::LeftButton);

  QCOMPARE(real.messages.shown.size(), std::size_t{1});
  QVERIFY2(real.messages.shown[0].Text.find("not enough space on the disk") != std::string::npos,
           real.messages.shown[0].Text.c_str());
  const QDir written(folder);
  QCOMPARE(written.entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".part")).size(), 0);
  QCOMPARE(written.entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".tmp-")).size(), 0);
  const QStringList sheets = written.entryList({QStringLiteral("*.pdf")}, QDir::Files);
  QVERIFY(!sheets.isEmpty() && sheets.size() < m.lstFonts->Count());
  for (const QString& sheet : sheets) {
    QCOMPARE(QProcess::execute(QStringLiteral("pdfinfo"), {folder + "/" + sheet}), 0);
  }
}

// Sheets a killed run left half written go when the program next starts; nothing else does.
void PdfPrintingTest::staleSheetsOfAKilledRunAreRemoved() {
  RealServices real(home_.File("glyphera"));
  const std::string out = home_.File("stale");
  std::filesystem::create_directories(out);
  real.printer.SetOutputFolder(out);
  struct Left {
    const char* name;
    bool old;
    bool removed;
  };
  const std::string running = ".glyphera-" + std::to_string(getpid()) + "-1733580000000-6.pdf.part";
  const Left left[] = {
      {".glyphera-1733580000000-3.pdf.part", true, true},
      {".glyphera-1733580000000-4.pdf.part", false, false},
      {".glyphera-notes.pdf.part", true, false},
      {"Glyphera 2026-12-07 10-00-00 000001.pdf", true, false},
      // A copy that runs is still writing its sheet; one that is gone is not.
      {running.c_str(), true, false},
      {".glyphera-999999999-1733580000000-5.pdf.part", true, true},
      {".Glyphera 2026-12-07 10-00-00 000002.pdf.tmp-999999999-0a1b2c3d", false, true}};
  for (const Left& file : left) {
    const std::string path = out + "/" + file.name;
    std::ofstream(path) << "%PDF";
    if (file.old) {
      std::filesystem::last_write_time(
          path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
  }
  const Printers started(real.fonts, real.registry, real.dispatch);
  for (const Left& file : left) {
    QCOMPARE(std::filesystem::exists(out + "/" + file.name), !file.removed);
  }
}

void PdfPrintingTest::printersSharingAFolderKeepEverySheet_data() {
  QTest::addColumn<int>("printers");
  QTest::newRow("one printer") << 1;
  QTest::newRow("two printers at once") << 2;
}

// Copies of the program printing into one folder at the same time keep every sheet.
void PdfPrintingTest::printersSharingAFolderKeepEverySheet() {
  QFETCH(int, printers);
  constexpr int kSheets = 40;
  const std::string out = home_.File("shared-" + std::to_string(printers));
  std::atomic<int> failed{0};
  std::vector<std::thread> copies;
  for (int i = 0; i < printers; ++i) {
    copies.emplace_back([&] {
      FakeFontServices fonts;
      FakeRegistry registry;
      FakeMessageDispatch dispatch;
      Printers printer(fonts, registry, dispatch);
      printer.SetOutputFolder(out);
      for (int sheet = 0; sheet < kSheets; ++sheet) {
        try {
          printer.BeginDoc();
          printer.EndDoc();
        } catch (const std::exception&) {
          ++failed;
        }
      }
    });
  }
  for (std::thread& copy : copies) copy.join();
  QCOMPARE(failed.load(), 0);
  const QDir folder(QString::fromStdString(out));
  QCOMPARE(folder.entryList({QStringLiteral("*.pdf")}, QDir::Files).size(), printers * kSheets);
  QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden).size(), printers * kSheets);
}

void PdfPrintingTest::eachFamilyPrintsItsOwnFace_data() {
  QTest::addColumn<QString>("family");
  QTest::addColumn<bool>("bold");
  QTest::addColumn<bool>("italic");
  QTest::addColumn<QString>("embedded");
  // A neighbour instance of a variable font, printed in the same style, prints other ink (more
  // when it is the heavier): instances embedded as the font's default outlines would not.
  QTest::addColumn<QString>("neighbour");
  QTest::addColumn<bool>("heavier");
  QTest::newRow("a legacy family under a wider typographic one")
      << "DejaVu Sans Condensed" << true << false << "DejaVuSansCondensed-Bold "
      << "" << false;
  QTest::newRow("its italic") << "DejaVu Sans Condensed" << false << true
                              << "DejaVuSansCondensed-Oblique "
                              << "" << false;
  QTest::newRow("a family of one light face")
      << "DejaVu Sans Light" << false << false << "DejaVuSans-ExtraLight "
      << "" << false;
  QTest::newRow("the typographic family keeps its four faces")
      << "DejaVu Sans" << true << true << "DejaVuSans-BoldOblique "
      << "" << false;
  QTest::newRow("bold added to the only face")
      << "URW Bookman" << true << false << "URWBookman-Light "
      << "" << false;
  QTest::newRow("the lightest instance") << "Inter Thin" << false << false << "Inter-Thin "
                                         << "Inter Extra Light" << true;
  QTest::newRow("the heaviest instance") << "Inter Black" << false << false << "Inter-Black "
                                         << "Inter Extra Bold" << false;
  QTest::newRow("an italic instance of a two-word weight")
      << "Inter Semi Bold" << false << true << "Inter-SemiBoldItalic "
      << "Inter Medium" << false;
}

namespace {

// The darkness of a sheet's first page as poppler renders it, summed over its pixels.
double InkOfSheet(const QString& pdf) {
  QProcess::execute(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-gray"),
                     QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, pdf});
  const QImage page = QImage(pdf + ".png").convertToFormat(QImage::Format_Grayscale8);
  double ink = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) ink += 255 - page.constScanLine(y)[x];
  }
  return ink;
}

}  // namespace

void PdfPrintingTest::eachFamilyPrintsItsOwnFace() {
  QFETCH(QString, family);
  QFETCH(bool, bold);
  QFETCH(bool, italic);
  QFETCH(QString, embedded);
  QFETCH(QString, neighbour);
  QFETCH(bool, heavier);
  QList<double> inks;
  for (const QString& printed : {family, neighbour}) {
    if (printed.isEmpty()) continue;
    RealServices real(home_.File("glyphera"));
    static int row = 0;
    const std::string out = home_.File("faces-" + std::to_string(++row));
    real.printer.SetOutputFolder(out);
    TfrmMain form(real.Services(), real.errors);
    MainPage& m = form.tabMain();
    m.lstFonts->SetSelected(0, false);
    m.lstFonts->SetSelected(IndexOf(*m.lstFonts, printed.toStdString()), true);
    form.Parts().Fonts().lstFontsClick();
    m.chkBold->SetChecked(bold);
    m.chkItalic->SetChecked(italic);
    m.chkCharChart->SetChecked(true);
    QTest::mouseClick(m.cmdPrint, Qt::LeftButton);
    QVERIFY2(real.messages.shown.empty(), "the job reported an error");

    const QStringList files =
        QDir(QString::fromStdString(out)).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QCOMPARE(files.size(), 1);
    const QString pdf = QString::fromStdString(out) + "/" + files[0];
    inks << InkOfSheet(pdf);
    if (printed != family) continue;
    const QString fonts = Run(QStringLiteral("pdffonts"), {pdf});
    QVERIFY2(fonts.contains(embedded), qPrintable(fonts));
  }
  if (inks.size() == 2) QVERIFY2((inks[0] < inks[1]) == heavier, qPrintable(neighbour));
}

// Where pdftotext finds each word: its box in points from the page's top-left.
QMap<QString, QRectF> WordPlaces(const QString& pdf) {
  const QString html =
      Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  static const QRegularExpression word(
      QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                     "yMax=\"([0-9.]+)\">([^<]*)</word>"));
  QMap<QString, QRectF> places;
  for (auto match = word.globalMatch(html); match.hasNext();) {
    const auto m = match.next();
    if (!places.contains(m.captured(5))) {
      places.insert(m.captured(5),
                    QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                           QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())));
    }
  }
  return places;
}

// One run of text as the page's content draws it, in printer pixels: the baseline and where
// each glyph starts (the text matrix's moves, "x y Td", with y upwards).
struct TextRun {
  int Baseline = 0;
  std::vector<int> Origins;
};

std::vector<TextRun> TextRuns(const QString& pdf) {
  QFile file(pdf);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  std::vector<TextRun> runs;
  static const QRegularExpression move(QStringLiteral("(-?\\d+) (-?\\d+) Td"));
  for (qsizetype at = bytes.indexOf(">>\nstream\n"); at >= 0;
       at = bytes.indexOf(">>\nstream\n", at + 1)) {
    const qsizetype start = at + 10;
    const QByteArray packed = bytes.mid(start, bytes.indexOf("endstream", start) - start);
    // qUncompress wants the size first; it grows its buffer when the guess is short.
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(packed.size() * 8), sized.data());
    const QString content = QString::fromLatin1(qUncompress(sized + packed));
    for (const QString& text : content.split(QStringLiteral("BT")).mid(1)) {
      TextRun run;
      int x = 0;
      for (auto match = move.globalMatch(text.left(text.indexOf(QStringLiteral("ET"))));
           match.hasNext();) {
        const auto m = match.next();
        x += m.captured(1).toInt();
        if (run.Origins.empty()) run.Baseline = -m.captured(2).toInt();
        run.Origins.push_back(x);
      }
      if (!run.Origins.empty()) runs.push_back(run);
    }
  }
  return runs;
}

void PdfPrintingTest::sampleSheetTextStandsWhereTheLayoutPutsIt() {
  RealServices real(home_.File("glyphera"));
  const std::string out = home_.File("bbox");
  real.printer.SetOutputFolder(out);
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.tabEdit().txtTitle->SetText("Specimen");
  form.tabEdit().txtSample->SetText("Quartz");
  MainPage& m = form.tabMain();
  m.lstFonts->SetSelected(0, false);
  m.lstFonts->SetSelected(1, true);  // DejaVu Sans
  form.Parts().Fonts().lstFontsClick();
  m.chkSample->SetChecked(true);
  QTest::mouseClick(m.cmdPrint, Qt::LeftButton);
  const QStringList files = QDir(QString::fromStdString(out)).entryList({QStringLiteral("*.pdf")});
  QCOMPARE(files.size(), 1);
  const QString pdf = QString::fromStdString(out) + "/" + files[0];
  const auto places = WordPlaces(pdf);
  const std::vector<TextRun> runs = TextRuns(pdf);

  // Printer pixels at 600 dpi from the printable area, whose corner is a quarter inch in.
  const auto point = [](double pixels) { return (pixels / 600.0 + 0.25) * 72.0; };
  // Each word's run is the one whose baseline lies in the word's box and that has a glyph
  // starting at its left edge; the baseline is the cell's top plus DejaVu Sans' ascent (0.928
  // em: 77 pixels for the heading's 83, 85 for the sample's 92).
  struct Expected {
    const char* Word;
    int X;
    int Baseline;
  };
  const Expected expected[] = {{"Specimen", 360, 270 + 77},
                               {"DejaVu", 360, 480 + 77},
                               {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 360, 582 + 85},
                               {"Quartz", 360, 824 + 85}};
  for (const Expected& e : expected) {
    QVERIFY2(places.contains(e.Word), e.Word);
    const QRectF box = places.value(e.Word);
    const auto run = std::find_if(runs.begin(), runs.end(), [&](const TextRun& r) {
      return point(r.Baseline) > box.top() && point(r.Baseline) < box.bottom() &&
             qAbs(point(r.Origins.front()) - box.left()) < 0.06;
    });
    QVERIFY2(run != runs.end(), e.Word);
    QCOMPARE(run->Origins.front(), e.X);
    QCOMPARE(run->Baseline, e.Baseline);
  }
  // The size text ends at 7.5 inches, to half a printer pixel, on the heading's baseline.
  QVERIFY(places.contains(QStringLiteral("points")));
  const QRectF size = places.value(QStringLiteral("points"));
  QVERIFY2(qAbs(size.right() - point(4500)) < 0.06, qPrintable(QString::number(size.right())));
  QCOMPARE(size.top(), places.value(QStringLiteral("Specimen")).top());
}

QTEST_MAIN(PdfPrintingTest)
#include "PdfPrintingTest.moc"

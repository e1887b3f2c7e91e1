#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include <sys/stat.h>

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "fixtures/RealServices.h"
#include "fixtures/TempDir.h"
#include "platform/fonts/IFontServices.h"
#include "settings/SampleTextKeys.h"
#include "viewing/FontList.h"
#include "widgets/CheckBox.h"
#include "widgets/ListBox.h"

namespace {

struct Finished {
  int Status = -1;
  QString Errors;
};

Finished RunCommand(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(GLYPHERA_PRINT), arguments);
  process.waitForFinished(120000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardError())};
}

int PagesOf(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdfinfo"), {pdf});
  process.waitForFinished(60000);
  const QString info = QString::fromUtf8(process.readAllStandardOutput());
  const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
  return at < 0 ? -1 : info.mid(at + 6).section('\n', 0, 0).trimmed().toInt();
}

QImage Rendered(const QString& pdf) {
  QProcess::execute(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-gray"),
                     QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, pdf});
  return QImage(pdf + ".png");
}

QByteArray Bytes(const QString& file) {
  QFile read(file);
  return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
}

}  // namespace

// glyphera-print, run as a user runs it, against the test fonts.
class PrintCommandTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void commandLines_data();
  void commandLines();
  void commandDrawsTheWindowsPixels_data();
  void commandDrawsTheWindowsPixels();
  void familyNameCacheThatCannotServe_data();
  void familyNameCacheThatCannotServe();

 private:
  TempDir home_;
  QString fonts_;
};

void PrintCommandTest::initTestCase() {
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home_.File("config")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_.File("data")));
  qputenv("HOME", QByteArray::fromStdString(home_.Path()));
  // A folder of font files, one a collection's worth of trouble: a file that is no font.
  fonts_ = QString::fromStdString(home_.File("files"));
  QDir().mkpath(fonts_ + "/sub");
  QFile::copy(GLYPHERA_TEST_FONT_DIR "/DejaVuSerif.ttf", fonts_ + "/DejaVuSerif.ttf");
  QFile::copy(GLYPHERA_TEST_FONT_DIR "/Inter-roman.var.ttf", fonts_ + "/sub/Inter.ttf");
  QFile notFont(fonts_ + "/broken.otf");
  QVERIFY(notFont.open(QIODevice::WriteOnly) && notFont.write("not a font") > 0);
  QDir().mkpath(QString::fromStdString(home_.File("empty")));
}

void PrintCommandTest::commandLines_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("status");
  QTest::addColumn<int>("pages");      // of out.pdf; -1 when none is written
  QTest::addColumn<QString>("named");  // on standard error

  const QString out = QString::fromStdString(home_.File("out.pdf"));
  const QStringList o{QStringLiteral("-o"), out};
  QTest::newRow("one family, the default sheet")
      << (QStringList{"DejaVu Sans"} + o) << 0 << 1 << "";
  QTest::newRow("every kind, in the job's order, for two families")
      << (QStringList{"-s", "paragraphs,chart,full,sample", "DejaVu Sans", "DejaVu Serif"} + o) << 0
      << 7 << "";
  QTest::newRow("coverage books of a family and a file, and a file that is no font")
      << (QStringList{"-s", "coverage", "DejaVu Serif", fonts_ + "/DejaVuSerif.ttf",
                      fonts_ + "/broken.otf"} +
          o)
      << 1 << 0 << "broken.otf";
  QTest::newRow("a family named in another case")
      << (QStringList{"-s", "chart", "dejavu sans"} + o) << 0 << 1 << "";
  QTest::newRow("a folder: its font files, not its subfolders")
      << (QStringList{"-s", "chart", fonts_} + o) << 1 << 1 << "broken.otf";
  QTest::newRow("a folder with its subfolders: each named instance")
      << (QStringList{"-r", "-s", "chart", fonts_} + o) << 1 << 10 << "broken.otf";
  QTest::newRow("an unknown family among good ones")
      << (QStringList{"-s", "chart", "No Such Family", "DejaVu Sans"} + o) << 1 << 1
      << "No Such Family";
  QTest::newRow("nothing to print")
      << (QStringList{"No Such Family"} + o) << 2 << -1 << "nothing to print";
  QTest::newRow("a folder with no fonts")
      << (QStringList{QString::fromStdString(home_.File("empty"))} + o) << 2 << -1 << "empty";
  QTest::newRow("an unknown sheet")
      << (QStringList{"-s", "charts", "DejaVu Sans"} + o) << 2 << -1 << "charts";
  QTest::newRow("a size out of range")
      << (QStringList{"--size", "61", "DejaVu Sans"} + o) << 2 << -1 << "size";
  QTest::newRow("no font") << o << 2 << -1 << "no font";
  QTest::newRow("no process to print with")
      << (QStringList{"DejaVu Sans", "--jobs=0"} + o) << 2 << -1 << "jobs";
  QTest::newRow("an unknown heading font")
      << (QStringList{"--heading-font", "Nothing", "DejaVu Sans"} + o) << 2 << -1 << "Nothing";
  QTest::newRow("an output that cannot be written")
      << QStringList{"DejaVu Sans", "-o", QString::fromStdString(home_.File("none/out.pdf"))} << 3
      << -1 << "none/out.pdf";
}

void PrintCommandTest::commandLines() {
  QFETCH(QStringList, arguments);
  QFETCH(int, status);
  QFETCH(int, pages);
  QFETCH(QString, named);
  const QString out = QString::fromStdString(home_.File("out.pdf"));
  QFile::remove(out);
  // Made by three processes at once, then by one: the same bytes either way.
  const Finished run = RunCommand(arguments + QStringList{"-j", "3"});
  QVERIFY2(run.Status == status, qPrintable(run.Errors));
  QVERIFY2(named.isEmpty() ? run.Errors.isEmpty() : run.Errors.contains(named),
           qPrintable(run.Errors));
  const int printed = QFile::exists(out) ? PagesOf(out) : -1;
  QVERIFY2(pages == 0 ? printed > 0 : printed == pages, qPrintable(QString::number(printed)));
  // Nothing half-written is left beside the output.
  QCOMPARE(QDir(QString::fromStdString(home_.Path())).entryList(QDir::Hidden | QDir::Files).size(),
           pages < 0 ? 0 : 1);
  if (pages < 0) return;
  QCOMPARE(QProcess::execute(QStringLiteral("qpdf"), {QStringLiteral("--check"), out}), 0);
  const QByteArray first = Bytes(out);
  QCOMPARE(RunCommand(arguments + QStringList{"-j", "1"}).Status, status);
  QVERIFY(Bytes(out) == first);
}

void PrintCommandTest::commandDrawsTheWindowsPixels_data() {
  QTest::addColumn<QString>("sheet");
  QTest::newRow("sample") << "sample";
  QTest::newRow("chart") << "chart";
  QTest::newRow("full") << "full";
  QTest::newRow("paragraphs") << "paragraphs";
}

void PrintCommandTest::commandDrawsTheWindowsPixels() {
  QFETCH(QString, sheet);
  const std::string folder = home_.File("window-" + sheet.toStdString());
  const QString settings = QString::fromStdString(home_.File("glyphera/" GLYPHERA_SETTINGS));
  {
    RealServices real(home_.File("glyphera/glyphera"));
    real.printer.SetOutputFolder(folder);
    TfrmMain form(real.Services(), real.errors);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    MainPage& m = form.tabMain();
    m.lstFonts->SetSelected(0, false);
    for (int i = 0; i < m.lstFonts->Count(); ++i) {
      if (m.lstFonts->Text(i) == "DejaVu Serif") m.lstFonts->SetSelected(i, true);
    }
    form.Parts().Fonts().lstFontsClick();
    m.chkSample->SetChecked(sheet == "sample");
    m.chkCharChart->SetChecked(sheet == "chart");
    m.chkFullPage->SetChecked(sheet == "full");
    m.chkPara->SetChecked(sheet == "paragraphs");
    QTest::mouseClick(m.cmdPrint, Qt::LeftButton);
    QVERIFY(real.messages.shown.empty());
  }
  const QStringList printed = QDir(QString::fromStdString(folder)).entryList({"*.pdf"});
  QCOMPARE(printed.size(), 1);
  const QString command = QString::fromStdString(home_.File("command-" + sheet.toStdString()));
  QCOMPARE(RunCommand({"-s", sheet, "--texts", settings, "DejaVu Serif", "-o", command}).Status, 0);
  const QImage window = Rendered(QString::fromStdString(folder) + "/" + printed[0]);
  QVERIFY(!window.isNull());
  QVERIFY(window == Rendered(command));
}

void PrintCommandTest::familyNameCacheThatCannotServe_data() {
  QTest::addColumn<QString>("state");
  QTest::addColumn<bool>("warned");    // once, on standard error
  QTest::addColumn<bool>("replaced");  // by a cache of the names read
  QTest::newRow("missing") << "missing" << false << true;
  QTest::newRow("a folder") << "folder" << true << false;
  QTest::newRow("a named pipe") << "pipe" << true << false;
  QTest::newRow("a link to /dev/zero") << "link" << true << false;
  QTest::newRow("garbage") << "garbage" << false << true;
  QTest::newRow("larger than a cache can be") << "huge" << true << true;
}

// The family "Glyphera FoldSans" is listed only under the name read from its file (fontconfig
// keeps "Glyphera Fold Sans"), so printing it shows the names were read.
void PrintCommandTest::familyNameCacheThatCannotServe() {
  QFETCH(QString, state);
  QFETCH(bool, warned);
  QFETCH(bool, replaced);
  const std::string cacheHome = home_.File("cache-" + state.toStdString());
  const std::string cache = cacheHome + "/glyphera/family-names";
  std::filesystem::create_directories(cacheHome + "/glyphera");
  if (state == "folder") std::filesystem::create_directory(cache);
  if (state == "pipe") QCOMPARE(mkfifo(cache.c_str(), 0600), 0);
  if (state == "link") std::filesystem::create_symlink("/dev/zero", cache);
  if (state == "garbage" || state == "huge") {
    QFile file(QString::fromStdString(cache));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\xff\xfe not a cache\n") > 0);
    // Sparse: no disk taken.
    if (state == "huge") QVERIFY(file.resize((qint64{64} << 20) + 1));
  }
  struct stat before {};
  const bool existed = lstat(cache.c_str(), &before) == 0;

  qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cacheHome));
  const auto restore = qScopeGuard([] { qunsetenv("XDG_CACHE_HOME"); });
  const QString out = QString::fromStdString(home_.File("cache-" + state.toStdString() + ".pdf"));
  const Finished run = RunCommand({"-q", "-s", "chart", "Glyphera FoldSans", "-o", out});
  QVERIFY2(run.Status == 0, qPrintable(run.Errors));
  QCOMPARE(PagesOf(out), 1);
  QCOMPARE(run.Errors.count(QString::fromStdString(cache)), warned ? 1 : 0);

  struct stat after {};
  QCOMPARE(lstat(cache.c_str(), &after) == 0, existed || replaced);
  if (replaced) {
    QVERIFY(S_ISREG(after.st_mode));
    QVERIFY(after.st_size < 4096);
    QVERIFY(Bytes(QString::fromStdString(cache)).startsWith("glyphera family names 1\n"));
  } else {
    QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    QCOMPARE(after.st_ino, before.st_ino);
  }
}

QTEST_MAIN(PrintCommandTest)
#include "PrintCommandTest.moc"

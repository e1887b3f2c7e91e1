#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <filesystem>

#include <sys/stat.h>

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "command/TerminalProgress.h"
#include "fixtures/FileBytes.h"
#include "fixtures/ProcessIds.h"
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
  QByteArray Output;
};

// Leading "NAME=value" arguments set the command's environment, as on a shell's command line;
// it has no SOURCE_DATE_EPOCH of the test's own.
Finished RunCommand(QStringList arguments) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("SOURCE_DATE_EPOCH"));
  static const QRegularExpression assignment(QStringLiteral("^[A-Z_]+="));
  while (!arguments.isEmpty() && assignment.match(arguments.front()).hasMatch()) {
    const QString taken = arguments.takeFirst();
    environment.insert(taken.section('=', 0, 0), taken.section('=', 1));
  }
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(GLYPHERA_PRINT), arguments);
  process.waitForFinished(120000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardError()), process.readAllStandardOutput()};
}

// What the command writes on a terminal: run under script(1), which gives it one.
QString OnTerminal(const QStringList& arguments) {
  QString line = QStringLiteral(GLYPHERA_PRINT);
  for (const QString& argument : arguments) line += " '" + argument + "'";
  QProcess script;
  script.start(QStringLiteral("script"), {"-qec", line, "/dev/null"});
  script.waitForFinished(120000);
  return QString::fromUtf8(script.readAllStandardOutput());
}

QString PdfInfo(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdfinfo"), {pdf});
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PagesIn(const QString& info) {
  const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
  return at < 0 ? -1 : info.mid(at + 6).section('\n', 0, 0).trimmed().toInt();
}

int PagesOf(const QString& pdf) {
  return PagesIn(PdfInfo(pdf));
}

QString Title(const QString& pdf) {
  const QString info = PdfInfo(pdf);
  const qsizetype at = info.indexOf(QStringLiteral("Title:"));
  return at < 0 ? QString() : info.mid(at + 6).section('\n', 0, 0).trimmed();
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

Q_DECLARE_METATYPE(JobProgress)

// glyphera-print, run as a user runs it, against the test fonts.
class PrintCommandTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void commandLines_data();
  void commandLines();
  void outputTargets_data();
  void outputTargets();
  void commandDrawsTheWindowsPixels_data();
  void commandDrawsTheWindowsPixels();
  void bookIsTitledAfterTheJob_data();
  void bookIsTitledAfterTheJob();
  void progressLine_data();
  void progressLine();
  void progressFollowsFacesAndPages_data();
  void progressFollowsFacesAndPages();
  void familyNameCacheThatCannotServe_data();
  void familyNameCacheThatCannotServe();

 private:
  TempDir home_;
  QString fonts_;
  QString linked_;
  QByteArray book_;  // the outputTargets job's PDF, written to a new file
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
  // A print server that is not there.
  qputenv("CUPS_SERVER", QByteArray::fromStdString(home_.File("no-server.sock")));
  // A font file by a link, and links to folders that lead back up and out of the tree.
  linked_ = QString::fromStdString(home_.File("linked"));
  namespace fs = std::filesystem;
  fs::create_directories(home_.File("linked/sub"));
  fs::create_symlink(fonts_.toStdString() + "/DejaVuSerif.ttf", home_.File("linked/serif.ttf"));
  fs::create_directory_symlink(".", home_.File("linked/again"));
  fs::create_directory_symlink("..", home_.File("linked/sub/up"));
  fs::create_directory_symlink("/", home_.File("linked/root"));
  // The reference book for the -o targets: a coverage book, whose outline is added by reading
  // the finished file back, and whose bytes do not depend on the machine's load (a file face's
  // sample sheet can embed its fonts in another order when Qt releases a copy later).
  const QString book = QString::fromStdString(home_.File("book.pdf"));
  QCOMPARE(
      RunCommand({"-s", "coverage", GLYPHERA_TEST_FONT_DIR "/DejaVuSerif.ttf", "-o", book}).Status,
      0);
  book_ = Bytes(book);
  QFile::remove(book);
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
  QTest::newRow("a print server that does not answer")
      << QStringList{"-P", "office", "DejaVu Sans"} << 3 << -1
      << "\"office\": the print server does not answer";
  QTest::newRow("an output that cannot be written")
      << QStringList{"DejaVu Sans", "-o", QString::fromStdString(home_.File("none/out.pdf"))} << 3
      << -1 << "none/out.pdf";
  QTest::newRow("subfolders without the links to folders, with the links to files")
      << (QStringList{"-r", "-s", "chart", linked_} + o) << 0 << 1 << "";
  QTest::newRow("a texts file that is not there")
      << (QStringList{"--texts", QString::fromStdString(home_.File("none.ini")), "DejaVu Sans"} + o)
      << 2 << -1 << "none.ini";
  QTest::newRow("a build date past the year 9999 is none")
      << (QStringList{"SOURCE_DATE_EPOCH=253402300800", "DejaVu Sans"} + o) << 0 << 1
      << "SOURCE_DATE_EPOCH";
  QTest::newRow("names that hold escape sequences")
      << (QStringList{"\x1b]0;title\x07", fonts_ + "/\x1b[2Jgone.ttf", "DejaVu Sans"} + o) << 1 << 1
      << "\\x1b]0;title\\x07";
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
  // A name's control characters are shown, never sent to the terminal.
  static const QRegularExpression control(QStringLiteral("[\\x00-\\x09\\x0b-\\x1f\\x7f-\\x9f]"));
  QVERIFY2(!run.Errors.contains(control), qPrintable(run.Errors));
  const QString info = QFile::exists(out) ? PdfInfo(out) : QString();
  const int printed = QFile::exists(out) ? PagesIn(info) : -1;
  QVERIFY2(pages == 0 ? printed > 0 : printed == pages, qPrintable(QString::number(printed)));
  // Nothing half-written is left beside the output.
  QCOMPARE(QDir(QString::fromStdString(home_.Path())).entryList(QDir::Hidden | QDir::Files).size(),
           pages < 0 ? 0 : 1);
  if (pages < 0) return;
  // No row gives a valid SOURCE_DATE_EPOCH: the PDF carries no moment of its making.
  QVERIFY2(!info.contains(QStringLiteral("CreationDate")), qPrintable(info));
  QCOMPARE(QProcess::execute(QStringLiteral("qpdf"), {QStringLiteral("--check"), out}), 0);
  const QByteArray first = Bytes(out);
  QCOMPARE(RunCommand(arguments + QStringList{"-j", "1"}).Status, status);
  QVERIFY(Bytes(out) == first);
}

void PrintCommandTest::outputTargets_data() {
  QTest::addColumn<QString>("target");  // what stands where -o points
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("named");  // on standard error

  QTest::newRow("a file is replaced whole") << "file" << 0 << "";
  QTest::newRow("a file only its owner reads stays so") << "file 0600" << 0 << "";
  QTest::newRow("a killed writer's temporary beside it goes") << "killed" << 0 << "";
  QTest::newRow("a link: the file it names is replaced") << "link" << 0 << "";
  QTest::newRow("a dangling link makes the file it names") << "dangling" << 0 << "";
  QTest::newRow("a FIFO is written into") << "fifo" << 0 << "";
  QTest::newRow("a device is written into") << "null" << 0 << "";
  QTest::newRow("a full device fails and stays a device")
      << "full" << 3 << "No space left on device";
  QTest::newRow("standard output") << "-" << 0 << "";
  QTest::newRow("an input font is refused") << "input" << 2 << "font.ttf";
  QTest::newRow("a font of an input folder is refused") << "input folder" << 2 << "font.ttf";
}

// The job of initTestCase's book, with -o pointing at each kind of thing: what stood there stays
// what it was, with its mode, and gets the book's bytes; an input is never written.
void PrintCommandTest::outputTargets() {
  QFETCH(QString, target);
  QFETCH(int, status);
  QFETCH(QString, named);
  namespace fs = std::filesystem;
  TempDir dir;
  const QString folder = QString::fromStdString(dir.Path());
  QString font = QStringLiteral(GLYPHERA_TEST_FONT_DIR "/DejaVuSerif.ttf");
  QString output = folder + "/out.pdf";
  QString written = output;  // where the bytes land; "-" standard output, empty nowhere to read
  QByteArray expected = book_;
  QProcess reader;
  if (target.startsWith("file") || target == "killed") {
    WriteBytes(output.toStdString(), "old");
    if (target == "file 0600") QCOMPARE(chmod(qPrintable(output), 0600), 0);
    if (target == "killed") {
      WriteBytes(dir.File(WithProcessIds(".out.pdf.tmp-%ended-abcdefgh").toStdString()), "part");
    }
  } else if (target == "link" || target == "dangling") {
    written = folder + "/named.pdf";
    if (target == "link") WriteBytes(written.toStdString(), "old");
    fs::create_symlink("named.pdf", output.toStdString());
  } else if (target == "fifo") {
    QCOMPARE(mkfifo(qPrintable(output), 0600), 0);
    written = folder + "/read.pdf";
    reader.setStandardOutputFile(written);
    reader.start(QStringLiteral("cat"), {output});
  } else if (target == "null" || target == "full") {
    // A device of the test's own, where root can make one: a command that replaced it would
    // take nothing from the machine. Anyone else cannot replace /dev's.
    const dev_t device = makedev(1, target == "null" ? 3 : 7);
    if (mknod(qPrintable(output), S_IFCHR | 0666, device) != 0 ||
        access(qPrintable(output), W_OK)) {
      if (geteuid() == 0) QSKIP("no device can be made, and root could replace /dev's");
      output = "/dev/" + target;
    }
    written.clear();
  } else if (target == "-") {
    output = written = target;
  } else {
    const QString fonts = target == "input" ? folder : folder + "/fonts";
    output = written = fonts + "/font.ttf";
    QDir().mkpath(fonts);
    QVERIFY(QFile::copy(font, output));
    expected = Bytes(font);
    font = target == "input" ? output : fonts;
  }
  const auto kind = [&output] {
    return output == "-" ? fs::file_type::none : fs::symlink_status(output.toStdString()).type();
  };
  const auto mode = [&written] { return fs::status(written.toStdString()).permissions(); };
  const fs::file_type kindBefore = kind();
  const fs::perms modeBefore = mode();
  const Finished run = RunCommand({"-s", "coverage", font, "-o", output, "-j", "2"});
  reader.waitForFinished(60000);
  QVERIFY2(run.Status == status, qPrintable(run.Errors));
  QVERIFY2(named.isEmpty() ? run.Errors.isEmpty() : run.Errors.contains(named),
           qPrintable(run.Errors));
  QVERIFY(kind() == (kindBefore == fs::file_type::not_found ? fs::file_type::regular : kindBefore));
  if (modeBefore != fs::perms::unknown && written != "-") QVERIFY(mode() == modeBefore);
  if (status == 0 || target.startsWith("input")) {
    QVERIFY(written.isEmpty() || (written == "-" ? run.Output : Bytes(written)) == expected);
  }
  // Nothing half-written is left beside the output, nor a killed writer's temporary.
  QCOMPARE(QDir(folder)
               .entryList(QDir::Hidden | QDir::Files | QDir::System)
               .filter(QRegularExpression("^\\.")),
           QStringList());
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

void PrintCommandTest::bookIsTitledAfterTheJob_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("title");
  QTest::newRow("one face, one sheet")
      << QStringList{"-s", "chart", "DejaVu Sans"} << "Glyphera - Character Chart - DejaVu Sans";
  QTest::newRow("a file's face: its full name")
      << QStringList{"-s", "full", fonts_ + "/DejaVuSerif.ttf"}
      << "Glyphera - Full Page Sample - DejaVu Serif";
  QTest::newRow("sheets in the job's order, and how many faces")
      << QStringList{"-s", "chart,sample", "DejaVu Sans", "DejaVu Serif", "Liberation Mono"}
      << "Glyphera - Sample Text, Character Chart - 3 faces";
}

void PrintCommandTest::bookIsTitledAfterTheJob() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, title);
  const QString out = QString::fromStdString(home_.File("titled.pdf"));
  for (const char* jobs : {"1", "2"}) {
    QCOMPARE(RunCommand(arguments + QStringList{"-j", jobs, "-o", out}).Status, 0);
    QCOMPARE(Title(out), title);
  }
}

void PrintCommandTest::progressLine_data() {
  QTest::addColumn<JobProgress>("where");
  QTest::addColumn<int>("seconds");
  QTest::addColumn<QString>("line");
  QTest::newRow("inside a coverage book: its page")
      << JobProgress{0, 1, 3, 8, 3, 120, 370} << 7
      << "[############..................] 3/8 faces, page 120/370, 0:07";
  QTest::newRow("several sheets: the faces of the one being printed")
      << JobProgress{1, 2, 5, 8, 13, 0, 0} << 65
      << "[########################......] sheet 2/2, 5/8 faces, 1:05";
}

void PrintCommandTest::progressLine() {
  QFETCH(JobProgress, where);
  QFETCH(int, seconds);
  QFETCH(QString, line);
  QCOMPARE(QString::fromStdString(TerminalProgress::Line(where, std::chrono::seconds(seconds))),
           line);
}

void PrintCommandTest::progressFollowsFacesAndPages_data() {
  QTest::addColumn<QString>("jobs");
  QTest::newRow("in this process") << "1";
  QTest::newRow("in workers") << "2";
}

// Two sheets of two faces are two faces a sheet, and a coverage book shows its pages as it goes.
void PrintCommandTest::progressFollowsFacesAndPages() {
  QFETCH(QString, jobs);
  const QString out = QString::fromStdString(home_.File("progress.pdf"));
  const QString shown =
      OnTerminal({"-s", "chart,coverage", "DejaVu Sans", "DejaVu Serif", "-j", jobs, "-o", out});
  QVERIFY2(shown.contains("sheet 1/2, ") && shown.contains("] sheet 2/2, 2/2 faces, "),
           qPrintable(shown));
  QVERIFY2(!shown.contains("/4 faces") && !shown.contains("fonts"), qPrintable(shown));
  static const QRegularExpression page(QStringLiteral("sheet 2/2, 0/2 faces, page (\\d+)/(\\d+)"));
  const QRegularExpressionMatch match = page.match(shown);
  QVERIFY2(match.hasMatch(), qPrintable(shown));
  const QString book = QString::fromStdString(home_.File("book.pdf"));
  QCOMPARE(RunCommand({"-s", "coverage", "DejaVu Sans", "-o", book}).Status, 0);
  QCOMPARE(match.captured(2).toInt(), PagesOf(book));
  QVERIFY(match.captured(1).toInt() > 0 && match.captured(1).toInt() <= PagesOf(book));
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

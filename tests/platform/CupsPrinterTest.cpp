#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <cstring>
#include <memory>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/PageRules.h"
#include "app/TfrmMain.h"
#include "fixtures/PrivateCups.h"
#include "fixtures/RealServices.h"
#include "fixtures/TempDir.h"
#include "platform/PlatformError.h"
#include "platform/fonts/FaceFont.h"
#include "platform/printers/PpdFonts.h"
#include "platform/printers/PrinterSetupDialog.h"
#include "printing/TfrmPrinting.h"
#include "viewing/FontList.h"
#include "widgets/CheckBox.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"

namespace {

// Debian's generic PDF printer (cups-filters): its PPD lists the 35 standard PostScript fonts.
constexpr const char* kPpd = "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd";
const std::string kQueue = "GlypheraLaser";

QString Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The one job the queue printed since its file was removed: its name, and the fonts of its PDF.
struct Job {
  QString Name;
  QString Fonts;
};

Job PrintedJob(const std::string& output, const std::string& pdfFile) {
  QFile out(QString::fromStdString(output));
  if (!out.open(QIODevice::ReadOnly)) return {};
  const QByteArray job = out.readAll();
  // The queue wraps the PDF in the printer's job language, which names the job.
  const QByteArray name = "@PJL JOB NAME = \"";
  const qsizetype at = job.indexOf(name);
  QFile pdf(QString::fromStdString(pdfFile));
  if (at < 0 || !pdf.open(QIODevice::WriteOnly)) return {};
  pdf.write(job.mid(job.indexOf("%PDF")));
  pdf.close();
  const qsizetype from = at + name.size();
  return {QString::fromUtf8(job.mid(from, job.indexOf('"', from) - from)),
          Output(QStringLiteral("pdffonts"), {pdf.fileName()})};
}

// A socket that takes connections and never answers them, as a print server fallen silent.
int SilentServer(const std::string& path) {
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 64) != 0) {
    close(listener);
    return -1;
  }
  return listener;  // connections wait in the backlog, never answered
}

// Selects the names; the first of them is the current font.
void SelectOnly(ListBox& list, const std::vector<std::string>& names) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Text(i) == names.front()) list.SetItemIndex(i);
  }
  for (int i = 0; i < list.Count(); ++i) {
    list.SetSelected(i, std::find(names.begin(), names.end(), list.Text(i)) != names.end());
  }
}

}  // namespace

// The printer through a CUPS server of the test's own, with a queue that writes into a file.
class CupsPrinterTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void residentFamilyOfPostScriptName_data();
  void residentFamilyOfPostScriptName();
  void queueListsItsResidentFamilies();
  void residentFamilyHasNoScreenFace();
  void sampleTextSheetArrivesAsOneJob();
  void commandPrintsOnTheQueue_data();
  void commandPrintsOnTheQueue();
  void residentCoverageIsTitledWithItsFamily();
  void printSetupReadsTheQueuesAsItOpens();
  void silentServerHoldsUpNeitherStartNorPrint();
  void queueThatTakesNoJobsEndsThePrint();

 private:
  TempDir home_;
  std::unique_ptr<PrivateCups> cups_;
  std::string output_;
};

void CupsPrinterTest::initTestCase() {
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home_.File("config")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_.File("data")));
  cups_ = std::make_unique<PrivateCups>();
  QVERIFY2(cups_->Running(), cups_->Failure().c_str());
  QVERIFY(!cups_->AddFileQueue("Spare", kPpd, false).empty());
  output_ = cups_->AddFileQueue(kQueue, kPpd, true);
  QVERIFY2(!output_.empty(), cups_->Failure().c_str());
}

void CupsPrinterTest::residentFamilyOfPostScriptName_data() {
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QString>("family");
  const auto row = [](const char* what, const QByteArray& name, const QString& family) {
    QTest::newRow(what) << name << family;
  };
  row("style words joined", "Helvetica-BoldOblique", "Helvetica");
  row("width kept, as words", "Helvetica-Narrow-Bold", "Helvetica Narrow");
  row("roman", "Times-Roman", "Times");
  row("medium italic", "ZapfChancery-MediumItalic", "ZapfChancery");
  row("one face", "Symbol", "Symbol");
  row("not a style word", "Courier-Pitch10", "Courier Pitch10");
  row("only hyphens: nothing to list", "---", "");
  row("control characters: nothing to list", "Helv\x1b[2Jetica", "");
  row("leading hyphen", "-Helvetica-Bold", "Helvetica");
  row("not UTF-8: nothing to list", "Caf\xe9-Bold", "");
  row("UTF-8 kept", "Caf\xc3\xa9-Bold", QString::fromUtf8("Caf\u00e9"));
  row("63 characters, the PostScript limit", QByteArray(63, 'A'), QString(63, 'A'));
  row("64 characters: nothing to list", QByteArray(64, 'A'), "");
  row("310 characters: nothing to list", QByteArray(310, 'A'), "");
  row("5,000 characters: nothing to list", QByteArray(5000, 'A'), "");
  row("a style word alone: nothing to list", "Bold", "");
  row("style words alone: nothing to list", "Semi-BoldItalic", "");
  row("right-to-left override shown as its code", "Evil\xe2\x80\xaeRoman-Bold",
      "Evil<U+202E>Roman");
  row("bidi isolates shown as their codes",
      "\xe2\x81\xa7"
      "Ar\xe2\x81\xa9",
      "<U+2067>Ar<U+2069>");
}

void CupsPrinterTest::residentFamilyOfPostScriptName() {
  QFETCH(QByteArray, name);
  QFETCH(QString, family);
  QCOMPARE(QString::fromStdString(ResidentFamilyOf(name.toStdString())), family);
}

void CupsPrinterTest::queueListsItsResidentFamilies() {
  RealServices real(home_.File("glyphera"));
  Printers& printer = real.printer;
  const std::vector<std::string> names = printer.PrinterNames();
  QCOMPARE(names.front(), std::string(Printers::kPdfPrinterName));
  QVERIFY(std::find(names.begin(), names.end(), "Spare") != names.end());
  // The server's default queue is the default printer.
  QCOMPARE(names[static_cast<std::size_t>(printer.PrinterIndex())], kQueue);

  const std::vector<std::string> installed = real.fonts.InstalledFamilies();
  const std::vector<std::string> fonts = printer.Fonts();
  const std::vector<std::string> residents = {
      "AvantGarde", "Bookman", "Courier", "Helvetica",    "Helvetica Narrow", "NewCenturySchlbk",
      "Palatino",   "Symbol",  "Times",   "ZapfChancery", "ZapfDingbats"};
  // Each is drawn in its clone, the face of the same metrics.
  const QStringList clones = {
      "URW Gothic",         "URW Bookman", "Nimbus Mono PS", "Nimbus Sans",
      "Nimbus Sans Narrow", "C059",        "P052",           "Standard Symbols PS",
      "Nimbus Roman",       "Z003",        "D050000L"};
  QCOMPARE(fonts.size(), installed.size() + residents.size());
  for (std::size_t i = 0; i < residents.size(); ++i) {
    QVERIFY2(std::count(fonts.begin(), fonts.end(), residents[i]) == 1, residents[i].c_str());
    // The toolkit names a family that two folders hold with its foundry after it.
    QCOMPARE(QFontInfo(FaceFont(residents[i], 12)).family().section(" [", 0, 0), clones[i]);
  }
  // What a clone lacks is added, as for an installed family: Z003 has no bold face.
  QVERIFY(TraitsOfFace("ZapfChancery", true, false).AddedBold);
  printer.SetPrinterIndex(0);
  QCOMPARE(printer.Fonts(), installed);
}

void CupsPrinterTest::residentFamilyHasNoScreenFace() {
  RealServices real(home_.File("glyphera"));
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  MainPage& m = form.tabMain();
  m.lstFonts->setFocus();
  SelectOnly(*m.lstFonts, {"Helvetica"});
  form.Parts().Fonts().lstFontsClick();
  QCOMPARE(form.Parts().Fonts().CurrentFontName(), std::string("Helvetica"));
  QCOMPARE(m.lblFontType->Caption(), std::string("Font Type: Printer Resident"));
  form.PageControl1()->tabBar()->setCurrentIndex(static_cast<int>(Page::LargeSample));
  QCOMPARE(form.ActivePage(), Page::Main);
  QCOMPARE(real.messages.shown.size(), std::size_t{1});
  QCOMPARE(real.messages.shown[0].Text, std::string(kNoScreenFontMessage));
}

void CupsPrinterTest::sampleTextSheetArrivesAsOneJob() {
  RealServices real(home_.File("glyphera"));
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  MainPage& m = form.tabMain();
  SelectOnly(*m.lstFonts, {"Helvetica", "DejaVu Sans"});
  form.Parts().Fonts().lstFontsClick();
  m.chkSample->SetChecked(true);
  QTest::mouseClick(m.cmdPrint, Qt::LeftButton);
  QVERIFY2(real.messages.shown.empty(),
           real.messages.shown.empty() ? "" : real.messages.shown[0].Text.c_str());
  QVERIFY(cups_->WaitUntilIdle(kQueue, 60000));

  // The queue wraps the PDF in the printer's job language, which names the job.
  QFile out(QString::fromStdString(output_));
  QVERIFY(out.open(QIODevice::ReadOnly));
  const QByteArray job = out.readAll();
  QVERIFY(job.contains("@PJL JOB NAME = \"Glyphera - Sample Text\""));
  const qsizetype start = job.indexOf("%PDF");
  QVERIFY(start >= 0);
  QFile pdf(QString::fromStdString(home_.File("job.pdf")));
  QVERIFY(pdf.open(QIODevice::WriteOnly));
  pdf.write(job.mid(start));
  pdf.close();
  const QString text = Output(QStringLiteral("pdftotext"), {pdf.fileName(), QStringLiteral("-")});
  QVERIFY2(
      text.contains(QStringLiteral("Helvetica")) && text.contains(QStringLiteral("DejaVu Sans")),
      qPrintable(text));
  // On the queue's default paper (Letter in its PPD), not the PDF printer's (A4 here).
  QVERIFY(
      Output(QStringLiteral("pdfinfo"), {pdf.fileName()}).contains(QStringLiteral("612 x 792")));
  // The resident family is drawn in its clone.
  QVERIFY(
      Output(QStringLiteral("pdffonts"), {pdf.fileName()}).contains(QStringLiteral("NimbusSans")));
}

void CupsPrinterTest::commandPrintsOnTheQueue_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<bool>("silent");  // the print server taken for one that never answers
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("job");    // its name; empty when none is printed
  QTest::addColumn<QString>("font");   // one its PDF embeds
  QTest::addColumn<QString>("named");  // on standard error
  const QString queue = QString::fromStdString(kQueue);
  QTest::newRow("a resident family, in its clone")
      << QStringList{"-P", queue, "-s", "chart", "palatino"} << false << 0
      << "Glyphera - Character Chart - Palatino"
      << "P052"
      << "";
  QTest::newRow("a queue the server does not have")
      << QStringList{"-P", "Nowhere", "DejaVu Sans"} << false << 2 << ""
      << ""
      << "no printer is named \"Nowhere\"";
  QTest::newRow("a print server that does not answer")
      << QStringList{"-P", queue, "DejaVu Sans"} << true << 3 << ""
      << ""
      << "\"" + queue + "\": the print server does not answer";
}

// glyphera-print on the queue, as the window prints on it.
void CupsPrinterTest::commandPrintsOnTheQueue() {
  QFETCH(QStringList, arguments);
  QFETCH(bool, silent);
  QFETCH(int, status);
  QFETCH(QString, job);
  QFETCH(QString, font);
  QFETCH(QString, named);
  QFile::remove(QString::fromStdString(output_));
  QProcess command;
  const std::string socket = home_.File("silent-command.sock");
  const int listener = silent ? SilentServer(socket) : -1;
  const auto closed = qScopeGuard([listener] {
    if (listener >= 0) close(listener);
  });
  if (silent) {
    QVERIFY(listener >= 0);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CUPS_SERVER", QString::fromStdString(socket));
    command.setProcessEnvironment(environment);
  }
  command.start(QStringLiteral(GLYPHERA_PRINT), arguments);
  QVERIFY(command.waitForFinished(120000));
  const QString errors = QString::fromUtf8(command.readAllStandardError());
  QVERIFY2(command.exitCode() == status, qPrintable(errors));
  QVERIFY2(named.isEmpty() ? errors.isEmpty() : errors.contains(named), qPrintable(errors));
  if (job.isEmpty()) return;
  QVERIFY(cups_->WaitUntilIdle(kQueue, 60000));
  const Job printed = PrintedJob(output_, home_.File("command-job.pdf"));
  QCOMPARE(printed.Name, job);
  QVERIFY2(printed.Fonts.contains(font), qPrintable(printed.Fonts));
}

// The window's coverage book of a resident family is titled with the family, not its clone.
void CupsPrinterTest::residentCoverageIsTitledWithItsFamily() {
  RealServices real(home_.File("glyphera"));
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  MainPage& m = form.tabMain();
  SelectOnly(*m.lstFonts, {"AvantGarde"});
  QFile::remove(QString::fromStdString(output_));
  m.lstFonts->ContextCommands.front().Run();
  QVERIFY(real.messages.shown.empty());
  QVERIFY(cups_->WaitUntilIdle(kQueue, 60000));
  QCOMPARE(PrintedJob(output_, home_.File("window-job.pdf")).Name,
           QStringLiteral("Glyphera - Coverage - AvantGarde"));
}

// Print Setup lists the queues as they are when it opens, and a queue's own paper.
void CupsPrinterTest::printSetupReadsTheQueuesAsItOpens() {
  RealServices real(home_.File("glyphera"));
  real.printer.SetPrinterIndex(static_cast<int>(real.printer.PrinterNames().size()) - 1);
  real.printer.SetPaperSize("Letter");  // the PDF printer's, which a queue does not print on
  QVERIFY(cups_->Tool("lpadmin", {"-x", "Spare"}));  // the chosen printer, listed last, goes
  QVERIFY(!cups_->AddFileQueue("Added", kPpd, false).empty());
  QVERIFY(cups_->Tool("lpadmin", {"-p", "Added", "-o", "media-default=iso_a4_210x297mm"}));
  QStringList listed;
  QString paper;
  QTimer::singleShot(0, [&] {
    auto* list = QApplication::activeModalWidget()->findChild<QListWidget*>();
    for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
    list->setCurrentRow(static_cast<int>(listed.indexOf("Added")));
    paper = QApplication::activeModalWidget()->findChild<QComboBox*>()->currentText();
    QApplication::activeModalWidget()->close();
  });
  PrinterSetupDialog(real.printer).Execute();
  QCOMPARE(listed, QStringList({Printers::kPdfPrinterName, "Added", "GlypheraLaser"}));
  QCOMPARE(paper, QStringLiteral("A4"));
}

// A print server that takes connections and never answers: the window still comes at once, and
// a print to it ends with the cause, the window live while it waits.
void CupsPrinterTest::silentServerHoldsUpNeitherStartNorPrint() {
  const std::string silent = home_.File("silent.sock");
  const int listener = SilentServer(silent);
  QVERIFY(listener >= 0);
  const QByteArray server = qgetenv("CUPS_SERVER");
  const auto restore = qScopeGuard([&] {
    qputenv("CUPS_SERVER", server);
    close(listener);
  });

  RealServices real(home_.File("glyphera"));
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.tabMain().chkSample->SetChecked(true);
  // The server falls silent once the sheet is being drawn; Cancel is clicked while it is sent.
  bool cancelledWhileSending = false;
  QTimer silence;
  QObject::connect(&silence, &QTimer::timeout, [&] {
    if (!real.printer.Printing()) return;
    qputenv("CUPS_SERVER", QByteArray::fromStdString(silent));
    silence.stop();
    QTimer::singleShot(1000, [&] {
      cancelledWhileSending = real.printer.Printing();
      QTest::mouseClick(form.Parts().frmPrinting().cmdCancel, Qt::LeftButton);
    });
  });
  silence.start(0);
  QElapsedTimer took;
  took.start();
  QTest::mouseClick(form.tabMain().cmdPrint, Qt::LeftButton);
  QVERIFY2(took.elapsed() < 20000, qPrintable(QString::number(took.elapsed())));
  QVERIFY(cancelledWhileSending);
  QCOMPARE(real.messages.shown.size(), std::size_t{1});
  QCOMPARE(real.messages.shown[0].Text,
           "Unable to print on " + kQueue + ": the print server does not answer.");

  took.restart();
  RealServices restarted(home_.File("glyphera"));
  TfrmMain window(restarted.Services(), restarted.errors);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY2(took.elapsed() < 5000, qPrintable(QString::number(took.elapsed())));
  QCOMPARE(restarted.printer.PrinterIndex(), 0);  // the PDF printer, which needs no server
}

void CupsPrinterTest::queueThatTakesNoJobsEndsThePrint() {
  RealServices real(home_.File("glyphera"));
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  MainPage& m = form.tabMain();
  m.chkSample->SetChecked(true);
  struct Fault {
    const char* stop;
    const char* restart;
    const char* text;
  };
  for (const Fault& fault : {Fault{"cupsdisable", "cupsenable", "the printer is stopped"},
                             Fault{"cupsreject", "cupsaccept", "the printer rejects jobs"},
                             Fault{nullptr, nullptr, "Printer selected is not valid"}}) {
    if (fault.stop != nullptr) {
      QVERIFY(cups_->Tool(QString::fromLatin1(fault.stop), {QString::fromStdString(kQueue)}));
    } else {
      cups_->Stop();  // the server goes away between Print Setup and Print
    }
    real.messages.shown.clear();
    QTest::mouseClick(m.cmdPrint, Qt::LeftButton);
    QCOMPARE(real.messages.shown.size(), std::size_t{1});
    QVERIFY2(real.messages.shown[0].Text.find(fault.text) != std::string::npos,
             real.messages.shown[0].Text.c_str());
    QVERIFY(!real.printer.Printing());
    QVERIFY(m.cmdPrint->isEnabled());
    if (fault.restart != nullptr) {
      QVERIFY(cups_->Tool(QString::fromLatin1(fault.restart), {QString::fromStdString(kQueue)}));
    }
  }
}

QTEST_MAIN(CupsPrinterTest)
#include "CupsPrinterTest.moc"

#include <QPushButton>
#include <QtTest>

#include <fstream>
#include <sstream>
#include "fixtures/FileBytes.h"

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "fixtures/MainWindowHarness.h"
#include "printing/PrintJob.h"
#include "printing/TfrmPrinting.h"
#include "settings/SampleTexts.h"
#include "viewing/FontList.h"
#include "widgets/CheckBox.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"

namespace {

const std::vector<std::string> kFonts = {"Alpha", "Beta", "Gamma"};

// Whether any text on the page holds the face's name.
bool Shows(const FakePrinter::Sent* document, const std::string& name) {
  for (const auto& text : document->Page->texts) {
    if (text.Value.find(name) != std::string::npos) return true;
  }
  return false;
}

struct Job {
  MainWindowHarness h;
  TfrmMain* form = nullptr;
  MainPage* m = nullptr;

  explicit Job(const std::vector<std::string>& fonts = kFonts) {
    h.UseFonts(fonts);
    form = &h.Show();
    m = &form->tabMain();
  }
  // Selects exactly these entries of the list, as the user's clicks would.
  void Select(std::initializer_list<int> entries) {
    for (int i = 0; i < m->lstFonts->Count(); ++i) m->lstFonts->SetSelected(i, false);
    for (int i : entries) m->lstFonts->SetSelected(i, true);
    form->Parts().Fonts().lstFontsClick();
  }
  void Options(bool sample, bool chart, bool full, bool para) {
    m->chkSample->SetChecked(sample);
    m->chkCharChart->SetChecked(chart);
    m->chkFullPage->SetChecked(full);
    m->chkPara->SetChecked(para);
  }
  void Print() { QTest::mouseClick(m->cmdPrint, Qt::LeftButton); }
};

}  // namespace

class PrintJobTest : public QObject {
  Q_OBJECT
 private slots:
  void noOptionsIsRefused();
  void everyPrintoutInOrderEachSheetADocument();
  void paragraphsWithoutSizesAbortTheFirstDocument();
  void samplePagesPrintBeforeTheSizesMessage();
  void cancelOnTheSecondSamplePage();
  void cancelDuringTheLastFontEndsItsSheet();
  void noFontSelected_data();
  void noFontSelected();
  void counterIsRaisedBeforeDrawing();
  void printerErrorEndsTheJobCleanly();
  void styleSuffix_data();
  void styleSuffix();
  void printSetupRefillsOnlyForAnotherPrinter();
  void headingFont();
};

void PrintJobTest::noOptionsIsRefused() {
  Job job;
  job.Print();
  QCOMPARE(job.h.messages.shown.size(), std::size_t{1});
  QCOMPARE(job.h.messages.shown[0].Kind, MessageKind::Error);
  QCOMPARE(job.h.messages.shown[0].Title, std::string("Error"));
  QCOMPARE(job.h.messages.shown[0].Text, std::string("You have not selected any print options."));
  QVERIFY(job.h.printer.log.empty());
  QVERIFY(!job.form->Parts().frmPrinting().isVisible());
}

void PrintJobTest::everyPrintoutInOrderEachSheetADocument() {
  Job job;
  job.Select({0, 2});
  job.Options(true, true, true, true);
  bool buttonsWereOff = false;
  bool dialogShown = false;
  job.h.printer.onBeginDoc = [&](int) {
    buttonsWereOff = !job.m->cmdPrint->isEnabled() && !job.m->cmdPrintSetup->isEnabled() &&
                     !job.m->cmdHeadingFont->isEnabled();
    dialogShown = job.form->Parts().frmPrinting().isVisible();
  };
  job.Print();
  QVERIFY(job.h.messages.shown.empty());
  const auto printed = job.h.printer.Printed();
  QCOMPARE(printed.size(), std::size_t{7});
  QCOMPARE(job.h.printer.documents.size(), std::size_t{7});
  QVERIFY(Shows(printed[0], "Alpha") && Shows(printed[0], "Gamma"));
  const std::vector<std::string> order = {"Alpha", "Gamma", "Alpha", "Gamma", "Alpha", "Gamma"};
  for (std::size_t i = 0; i < order.size(); ++i) {
    QVERIFY2(Shows(printed[i + 1], order[i]), order[i].c_str());
    QVERIFY(!Shows(printed[i + 1], i % 2 == 0 ? "Gamma" : "Alpha"));
  }
  // Each sheet is of its printout, by what only that printout draws, and its job says so.
  const auto kind = [](const FakePrinter::Sent* sheet) -> std::string {
    if (!sheet->Page->blocks.empty()) return "Text Paragraphs";
    return Shows(sheet, "Extended Characters") ? "Full Page Sample" : "Character Chart";
  };
  QCOMPARE(printed[0]->Title, std::string("Glyphera - Sample Text"));
  const std::vector<std::string> kinds = {"Character Chart",  "Character Chart", "Full Page Sample",
                                          "Full Page Sample", "Text Paragraphs", "Text Paragraphs"};
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    QCOMPARE(kind(printed[i + 1]), kinds[i]);
    QCOMPARE(printed[i + 1]->Title, "Glyphera - " + kinds[i] + " - " + order[i]);
  }
  for (std::size_t i = 0; i < job.h.printer.log.size(); ++i) {
    QCOMPARE(job.h.printer.log[i], std::string(i % 2 == 0 ? "begin" : "end"));
  }
  QVERIFY(buttonsWereOff);
  QVERIFY(dialogShown);
  QVERIFY(job.m->cmdPrint->isEnabled());
  QVERIFY(!job.form->Parts().frmPrinting().isVisible());
  QCOMPARE(job.form->Parts().frmPrinting().lblSelected->Caption(),
           std::string("Fonts Selected: 2"));
  QCOMPARE(job.form->Parts().frmPrinting().lblPrinted->Caption(),
           std::string("Text Paragraphs Printed: 2"));
  QCOMPARE(job.form->Parts().Job().Metrics().DpiX, 600);
  // The paragraph sizes were taken from the boxes.
  QVERIFY(job.form->Parts().ParagraphSizes()[4].Checked);
  QVERIFY(!job.form->Parts().ParagraphSizes()[0].Checked);
}

void PrintJobTest::paragraphsWithoutSizesAbortTheFirstDocument() {
  Job job;
  job.Options(false, false, false, true);
  for (CheckBox* box : job.m->chkParaSizes) box->SetChecked(false);
  job.Print();
  QCOMPARE(job.h.printer.log, (std::vector<std::string>{"begin", "abort"}));
  QVERIFY(job.h.printer.Printed().empty());
  QCOMPARE(job.h.messages.shown.size(), std::size_t{1});
  QCOMPARE(job.h.messages.shown[0].Text,
           std::string("You have not selected any point\rsizes for the text paragraphs."));
  QVERIFY(!job.form->Parts().frmPrinting().isVisible());
}

void PrintJobTest::samplePagesPrintBeforeTheSizesMessage() {
  Job job;
  job.Options(true, false, false, true);
  for (CheckBox* box : job.m->chkParaSizes) box->SetChecked(false);
  job.Print();
  QCOMPARE(job.h.printer.log, (std::vector<std::string>{"begin", "end"}));
  QCOMPARE(job.h.messages.shown.size(), std::size_t{1});
}

void PrintJobTest::cancelOnTheSecondSamplePage() {
  std::vector<std::string> fonts;
  for (int i = 0; i < 13; ++i) fonts.push_back("Face " + std::to_string(10 + i));
  Job job(fonts);
  job.form->Parts().Fonts().cmdSelectAllClick();
  job.Options(true, true, false, false);
  job.h.printer.onBeginDoc = [&](int number) {
    if (number == 2) QTest::mouseClick(job.form->Parts().frmPrinting().cmdCancel, Qt::LeftButton);
  };
  job.form->Parts().frmPrinting().show();
  job.Print();
  QCOMPARE(job.h.printer.log, (std::vector<std::string>{"begin", "end", "begin", "abort"}));
  QVERIFY(job.form->Parts().Job().CancelPrinting());
  const auto printed = job.h.printer.Printed();
  QCOMPARE(printed.size(), std::size_t{1});
  QVERIFY(Shows(printed[0], "Face 20"));
  QVERIFY(!Shows(printed[0], "Face 21"));
  // A new job clears the flag.
  job.h.printer.onBeginDoc = nullptr;
  job.Print();
  QVERIFY(!job.form->Parts().Job().CancelPrinting());
}

// Cancel is looked at only after a font's sheet, and not after the last font's: that sheet ends
// as usual, and only the printouts after it are left out.
void PrintJobTest::cancelDuringTheLastFontEndsItsSheet() {
  struct Row {
    const char* name;
    std::initializer_list<int> selection;
    bool sample;
    const char* cancelWhileDrawing;
    std::vector<std::string> log;
  };
  const Row rows[] = {
      {"last of two charts", {0, 2}, false, "Gamma", {"begin", "end", "begin", "end"}},
      {"one font's chart", {1}, false, "Beta", {"begin", "end"}},
      {"one font's sample page", {1}, true, "Beta", {"begin", "end"}},
  };
  for (const Row& row : rows) {
    Job job;
    job.Select(row.selection);
    job.Options(row.sample, !row.sample, true, false);
    job.h.printer.onBeginDoc = [&](int) {
      job.h.printer.documents.back().Page->onTextOut = [&](const std::string& text) {
        if (text.find(row.cancelWhileDrawing) != std::string::npos) {
          QTest::mouseClick(job.form->Parts().frmPrinting().cmdCancel, Qt::LeftButton);
        }
      };
    };
    job.Print();
    QVERIFY2(job.h.printer.log == row.log, row.name);
    QCOMPARE(job.h.printer.Printed().size(), row.log.size() / 2);
    QVERIFY2(!Shows(job.h.printer.Printed().back(), "Extended Characters"), row.name);
    QVERIFY(!job.form->Parts().frmPrinting().isVisible());
  }
}

void PrintJobTest::noFontSelected_data() {
  QTest::addColumn<bool>("sample");
  QTest::addColumn<bool>("headingDrawn");
  QTest::newRow("sample text prints its heading alone") << true << true;
  QTest::newRow("chart ends the first document empty") << false << false;
}

void PrintJobTest::noFontSelected() {
  QFETCH(bool, sample);
  QFETCH(bool, headingDrawn);
  Job job;
  job.Select({});
  QCOMPARE(job.form->Parts().Fonts().SelectedCount(), 0);
  job.Options(sample, !sample, false, false);
  int dispatches = 0;
  job.h.dispatch.onDispatch = [&] { ++dispatches; };
  job.Print();
  QCOMPARE(job.h.printer.log, (std::vector<std::string>{"begin", "end"}));
  QCOMPARE(dispatches, 1);  // the loop stopped after its first entry
  const auto printed = job.h.printer.Printed();
  QCOMPARE(!printed[0]->Page->texts.empty(), headingDrawn);
  for (const std::string& face : kFonts) QVERIFY(!Shows(printed[0], face));
}

void PrintJobTest::counterIsRaisedBeforeDrawing() {
  Job job;
  job.Select({1});
  job.Options(true, false, false, false);
  std::string counterWhileDrawing;
  job.h.printer.onBeginDoc = [&](int) {
    job.h.printer.documents.back().Page->onTextOut = [&](const std::string& text) {
      if (text == "Beta" && counterWhileDrawing.empty()) {
        counterWhileDrawing = job.form->Parts().frmPrinting().lblPrinted->Caption();
      }
    };
  };
  job.Print();
  QCOMPARE(counterWhileDrawing, std::string("Samples Printed: 1"));
}

void PrintJobTest::printerErrorEndsTheJobCleanly() {
  Job job;
  job.Select({0, 1});
  job.Options(false, true, false, false);
  job.h.printer.failBeginAt = 2;  // the first chart goes into the job's first document
  job.Print();
  QCOMPARE(job.h.messages.shown.size(), std::size_t{1});
  QCOMPARE(job.h.messages.shown[0].Title, std::string("Glyphera"));
  QCOMPARE(job.h.messages.shown[0].Text, std::string("Printer selected is not valid."));
  QVERIFY(!job.h.printer.Printing());
  QVERIFY(!job.form->Parts().frmPrinting().isVisible());
  QVERIFY(job.m->cmdPrint->isEnabled());
  QCOMPARE(job.h.printer.Printed().size(), std::size_t{1});
}

void PrintJobTest::styleSuffix_data() {
  QTest::addColumn<bool>("bold");
  QTest::addColumn<bool>("italic");
  QTest::addColumn<QString>("suffix");
  QTest::newRow("both") << true << true << " - Bold Italic";
  QTest::newRow("bold") << true << false << " - Bold";
  QTest::newRow("italic") << false << true << " - Italic";
  QTest::newRow("none") << false << false << "";
}

void PrintJobTest::styleSuffix() {
  QFETCH(bool, bold);
  QFETCH(bool, italic);
  QFETCH(QString, suffix);
  Job job;
  job.Options(false, true, false, false);
  job.m->chkBold->SetChecked(bold);
  job.m->chkItalic->SetChecked(italic);
  job.Print();
  QCOMPARE(QString::fromStdString(job.form->Parts().Job().StyleSuffix()), suffix);
  QVERIFY(Shows(job.h.printer.Printed()[0], "Alpha" + suffix.toStdString()));
}

void PrintJobTest::printSetupRefillsOnlyForAnotherPrinter() {
  Job job;
  job.h.printer.printers.push_back({"Other", std::vector<std::string>{"Zeta", "Eta"}});
  job.Select({1, 2});
  const int builds = job.h.printer.fontListBuilds;
  job.h.printerSetup.onExecute = [&] { job.h.printer.SetPrinterIndex(0); };
  QTest::mouseClick(job.m->cmdPrintSetup, Qt::LeftButton);
  QCOMPARE(job.h.printerSetup.executions, 1);
  QCOMPARE(job.m->lstFonts->SelCount(), 2);
  QCOMPARE(job.h.printer.fontListBuilds, builds);

  job.h.printerSetup.onExecute = [&] { job.h.printer.SetPrinterIndex(1); };
  QTest::mouseClick(job.m->cmdPrintSetup, Qt::LeftButton);
  QCOMPARE(job.m->lstFonts->Count(), 2);
  QCOMPARE(job.m->lstFonts->Text(0), std::string("Eta"));
  QCOMPARE(job.m->lstFonts->SelCount(), 1);
  QCOMPARE(job.form->Parts().Fonts().CurrentFontName(), std::string("Eta"));
  QCOMPARE(job.m->lblFonts->Caption(), std::string("Fonts: 2"));
  QCOMPARE(job.m->lblSelected->Caption(), std::string("Selected: 1"));

  // The dialog reads the printers afresh: another one where the chosen one stood is a change.
  job.h.printerSetup.onExecute = [&] {
    job.h.printer.printers[1] = {"Replacement", std::vector<std::string>{"Iota"}};
    job.h.printer.SetPrinterIndex(1);
  };
  QTest::mouseClick(job.m->cmdPrintSetup, Qt::LeftButton);
  QCOMPARE(job.m->lstFonts->Text(0), std::string("Iota"));
}

void PrintJobTest::headingFont() {
  Job job;
  QTest::mouseClick(job.m->lstFonts->viewport(), Qt::LeftButton, {},
                    job.m->lstFonts->visualRect(job.m->lstFonts->model()->index(1, 0)).center());
  job.h.messages.answerYes = false;
  QTest::mouseClick(job.m->cmdHeadingFont, Qt::LeftButton);
  QCOMPARE(job.h.messages.confirmations.size(), std::size_t{1});
  QCOMPARE(job.h.messages.confirmations[0].Title, std::string("Confirm"));
  QCOMPARE(job.h.messages.confirmations[0].Text,
           std::string("The current heading font is Arial.\rChange it to Beta?"));
  QCOMPARE(job.form->Parts().Texts().HeadingFont(), std::string("Arial"));

  job.h.messages.answerYes = true;
  QTest::mouseClick(job.m->cmdHeadingFont, Qt::LeftButton);
  QCOMPARE(job.form->Parts().Texts().HeadingFont(), std::string("Beta"));
  QVERIFY(ReadBytes(job.h.dir.File("GLYPHERA.INI")).ends_with("HeadingFont=Beta\r\n"));

  job.h.profile.failWrites = true;
  QTest::mouseClick(job.m->lstFonts->viewport(), Qt::LeftButton, {},
                    job.m->lstFonts->visualRect(job.m->lstFonts->model()->index(2, 0)).center());
  QTest::mouseClick(job.m->cmdHeadingFont, Qt::LeftButton);
  QCOMPARE(job.h.messages.shown.back().Text,
           "Unable to write to " + job.h.dir.File("GLYPHERA.INI") + ".");
  QCOMPARE(job.form->Parts().Texts().HeadingFont(), std::string("Gamma"));
}

QTEST_MAIN(PrintJobTest)
#include "PrintJobTest.moc"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QtTest>
#include <filesystem>

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/ProgramStart.h"
#include "app/TfrmMain.h"
#include "app/TfrmSplash.h"
#include "fixtures/RealServices.h"
#include "fixtures/TempDir.h"
#include "viewing/FontList.h"
#include "widgets/DesignScale.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"

// Starts the program with the real font, printer, screen and registry services against the
// test font folder, and checks what the user sees first.
class StartupEndToEndTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void startsWithTheInstalledFontsAndTheFirstSample();
  void splashShowsItsPicture();

 private:
  TempDir home_;
};

void StartupEndToEndTest::initTestCase() {
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home_.File("config")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_.File("data")));
}

void StartupEndToEndTest::splashShowsItsPicture() {
  const TfrmSplash splash{DesignScale(96)};
  QCOMPARE(splash.Image1->pixmap().size(), QSize(454, 112));
}

void StartupEndToEndTest::startsWithTheInstalledFontsAndTheFirstSample() {
  RealServices real(home_.File("glyphera"));
  Printers& printer = real.printer;
  FakeMessageBoxes& messages = real.messages;
  ApplicationErrorHandler& errors = real.errors;
  errors.SetTitle("");
  const PlatformServices services = real.Services();

  ProgramStart start(services, errors);
  TfrmMain& form = start.frmMain();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(errors.Title(), std::string("Glyphera"));
  QVERIFY(messages.shown.empty());
  for (QWidget* window : QApplication::topLevelWidgets()) {
    QVERIFY(qobject_cast<TfrmSplash*>(window) == nullptr);
  }

  // The printer is the built-in PDF printer, whose fonts are the installed families.
  QCOMPARE(printer.PrinterNames().front(), std::string(Printers::kPdfPrinterName));
  MainPage& m = form.tabMain();
  // Each legacy family once: the condensed and light DejaVu faces are families of their own.
  const QStringList expected = {"C059",
                                "DejaVu Sans",
                                "DejaVu Sans Condensed",
                                "DejaVu Sans Light",
                                "DejaVu Serif",
                                "Fixed",
                                "Glyphera FoldSans",
                                "Inter",
                                "Inter Black",
                                "Inter Extra Bold",
                                "Inter Extra Light",
                                "Inter Light",
                                "Inter Medium",
                                "Inter Semi Bold",
                                "Inter Thin",
                                "Liberation Mono",
                                "Nimbus Sans",
                                "P052",
                                "System",
                                "Terminus",
                                "URW Bookman",
                                "Wingdings"};
  QCOMPARE(QString::fromStdString(m.lblFonts->Caption()), QStringLiteral("Fonts: 22"));
  QStringList listed;
  for (int i = 0; i < m.lstFonts->Count(); ++i) {
    listed << QString::fromStdString(m.lstFonts->Text(i));
  }
  QCOMPARE(listed, expected);

  QCOMPARE(QString::fromStdString(m.lblSample->Caption()), QStringLiteral("Sample: C059"));
  QCOMPARE(QString::fromStdString(m.lblFontType->Caption()),
           QStringLiteral("Font Type: Adobe Type 1"));
  QCOMPARE(QString::fromStdString(m.lblStyles->Caption()), QStringLiteral("Styles: Roman "));
  QVERIFY(QFontInfo(m.memDispFont->font()).family().startsWith(QStringLiteral("C059")));

  // A TrueType family with four styles, each drawn from its own face.
  m.lstFonts->SetSelected(0, false);
  m.lstFonts->SetItemIndex(1);
  m.lstFonts->SetSelected(1, true);
  form.Parts().Fonts().lstFontsClick();
  QCOMPARE(QString::fromStdString(m.lblFontType->Caption()), QStringLiteral("Font Type: TrueType"));
  QCOMPARE(QString::fromStdString(m.lblStyles->Caption()),
           QStringLiteral("Styles: Book, Oblique, Bold, Bold Oblique "));
  QCOMPARE(QFontInfo(m.memDispFont->font()).family(), QStringLiteral("DejaVu Sans"));

  // The registry store was seeded on first use, and the Fonts folder read from it.
  QVERIFY(std::filesystem::exists(home_.File("config") + "/glyphera/registry"));
  QCOMPARE(form.Parts().FontsFolder(), home_.File("data") + "/fonts/");
  QCOMPARE(form.Parts().FontRegistryKey(),
           std::string("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"));
}

QTEST_MAIN(StartupEndToEndTest)
#include "StartupEndToEndTest.moc"

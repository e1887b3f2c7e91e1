#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QtTest>

#include "fixtures/FontToolsFaces.h"
#include "fixtures/TempDir.h"
#include "platform/drawing/PainterSurface.h"
#include "platform/fonts/BitmapStrike.h"
#include "platform/fonts/FaceFont.h"
#include "platform/fonts/FontconfigFontTable.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/Grid.h"
#include "widgets/Label.h"

namespace {

constexpr int kDpi = 300;
constexpr int kBand = 300;  // pixels of the page per drawn text

struct Drawn {
  bool bold;
  bool italic;
  QString text;
};

// Draws each text in its own band of one PDF page, as a sheet draws it, and gives the page
// rendered back by poppler at the same resolution.
QImage PrintedBands(const TempDir& dir, const QString& face, const std::vector<Drawn>& texts) {
  const QString pdf = QString::fromStdString(dir.File("bands.pdf"));
  {
    QPdfWriter writer(pdf);
    writer.setResolution(kDpi);
    QPainter painter(&writer);
    PainterSurface surface(painter, kDpi, kDpi);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      surface.SetFont({face.toStdString(), 36, texts[i].bold, texts[i].italic});
      surface.TextOut(100, 50 + kBand * static_cast<int>(i), texts[i].text.toStdString());
    }
  }
  const QString png = QString::fromStdString(dir.File("bands"));
  QProcess::execute(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"),
                     QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, png});
  return QImage(png + ".png").convertToFormat(QImage::Format_Grayscale8);
}

// The ink of rows [top, bottom) and where it lies across: the ink-weighted mean column.
struct Ink {
  double amount = 0;
  double meanX = 0;
};
Ink InkOf(const QImage& image, int top, int bottom) {
  Ink ink;
  double weightedX = 0;
  for (int y = top; y < bottom && y < image.height(); ++y) {
    const uchar* row = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      ink.amount += 255 - row[x];
      weightedX += (255.0 - row[x]) * x;
    }
  }
  if (ink.amount > 0) ink.meanX = weightedX / ink.amount;
  return ink;
}

// How far the top half of a band's ink leans to the right of its bottom half.
double Lean(const QImage& image, int band) {
  const int top = band * kBand + 50;
  const int middle = top + 75;  // 36 points at 300 dpi stand 150 pixels tall
  return InkOf(image, top, middle).meanX - InkOf(image, middle, top + 150).meanX;
}

// The ink of one text in a label drawing the face, as the window's controls draw it.
struct ShownText {
  explicit ShownText(const QString& face) : label("") {
    label.resize(400, 100);
    label.SetFaceName(face.toStdString());
    label.SetFontPoints(30);
    label.SetCaption("HHHHoooo");
  }
  Label label;
};

double GrabbedInk(QWidget& widget) {
  const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_Grayscale8);
  return InkOf(image, 0, image.height()).amount;
}

}  // namespace

class FaceDrawingTest : public QObject {
  Q_OBJECT
 private slots:
  // On paper a family's missing bold and italic are added, as the screen adds them; the
  // reference is the same text as the family's face draws it.
  void printedStylesAreAdded_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("minInkRatio");
    QTest::addColumn<double>("minLean");
    QTest::newRow("bold added to a light face")
        << "DejaVu Sans Light" << true << false << "HHHH" << 1.3 << -5.0;
    QTest::newRow("italic added to an upright face")
        << "DejaVu Sans Light" << false << true << "HHHH" << 0.9 << 5.0;
    QTest::newRow("a soft hyphen shows the face's glyph")
        << "DejaVu Sans" << false << false << QString::fromUtf8("H\u00ADH") << 1.03 << -5.0;
  }
  void printedStylesAreAdded() {
    QFETCH(QString, face);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QString, text);
    QFETCH(double, minInkRatio);
    QFETCH(double, minLean);
    TempDir dir;
    QString plain = text;
    plain.remove(QChar(0x00AD));
    const QImage page = PrintedBands(dir, face, {{false, false, plain}, {bold, italic, text}});
    QVERIFY2(!page.isNull(), "poppler rendered no page");
    const double reference = InkOf(page, 0, kBand).amount;
    QVERIFY(reference > 0);
    QVERIFY2(InkOf(page, kBand, 2 * kBand).amount >= minInkRatio * reference,
             qPrintable(QString::number(InkOf(page, kBand, 2 * kBand).amount / reference)));
    QVERIFY2(Lean(page, 1) - Lean(page, 0) >= minLean,
             qPrintable(QString::number(Lean(page, 1) - Lean(page, 0))));
  }

  // The Font Map shows code 173 in its grid and enlarged, as the face draws it: a soft hyphen
  // alone on its line is laid out as a hyphen, which the controls' text layout keeps.
  void softHyphenShowsOnScreen() {
    Label label("");
    label.resize(100, 100);
    label.SetFaceName("DejaVu Sans");
    label.SetFontPoints(30);
    const double blank = GrabbedInk(label);
    label.SetCaption("\u00AD");
    QVERIFY(GrabbedInk(label) > blank);

    Grid grid(1, 1);
    grid.resize(100, 60);
    grid.SetDefaultColWidth(90);
    grid.SetDefaultRowHeight(50);
    grid.SetFaceName("DejaVu Sans");
    grid.SetFontPoints(20);
    grid.clearSelection();
    grid.setCurrentCell(-1, -1);
    const double empty = GrabbedInk(grid);
    grid.SetCell(0, 0, QString(QChar(0x00AD)));
    QVERIFY(GrabbedInk(grid) > empty);
  }

  // A bitmap face is drawn at its strike nearest the asked size, on screen and on paper alike,
  // also once the toolkit has rebuilt its font database for a font added and removed.
  void bitmapFaceDrawsItsNearestStrike_data() {
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("strike");
    QTest::newRow("its smallest strike") << 12 << 12;
    QTest::newRow("between two strikes") << 13 << 14;
    QTest::newRow("a strike of its own") << 20 << 20;
    QTest::newRow("60 points at 96 dpi") << 80 << 32;
    QTest::newRow("far above its largest") << 200 << 32;
  }
  void bitmapFaceDrawsItsNearestStrike() {
    QFETCH(int, pixels);
    QFETCH(int, strike);
    for (int pass = 0; pass < 2; ++pass) {
      QFont font;
      SetFace(font, "Terminus", false, false);
      font.setPixelSize(pixels);
      QCOMPARE(QFontInfo(font).pixelSize(), strike);
      const FaceTraits traits = TraitsOfFace("Terminus", false, false);
      QCOMPARE(BitmapStrike(traits.BitmapFile, traits.BitmapIndex, pixels).PixelSize(), strike);
      QFontDatabase::removeApplicationFont(QFontDatabase::addApplicationFont(
          QStringLiteral(GLYPHERA_TEST_FONT_DIR "/DejaVuSerif.ttf")));
    }
  }

  // Each named instance of a variable font added from a file (not installed) is drawn as
  // itself, as the same instance of the installed font draws: on screen, also once the toolkit
  // has rebuilt its font database for a font added and removed, and on paper.
  void addedInstancesDrawAsInstalled_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("installed");  // the font's family, installed from the same file
    QTest::addColumn<QStringList>("instances");
    QTest::newRow("Thin and Black of an added copy of Inter")
        << GLYPHERA_TEST_FONT_DIR "/Inter-roman.var.ttf"
        << "Inter" << QStringList{"Thin", "Black"};
  }
  void addedInstancesDrawAsInstalled() {
    QFETCH(QString, font);
    QFETCH(QString, installed);
    QFETCH(QStringList, instances);
    TempDir dir;
    const std::string copy = dir.File("renamed.ttf");
    FontToolsRename(font.toStdString(), "Glyvar", copy);
    FontconfigFontTable table;
    table.AddFontResource(copy);
    table.BroadcastFontChange();
    const auto near = [](double ink, double reference) {
      return reference > 0 && std::abs(ink / reference - 1) < 0.03;
    };
    std::vector<std::unique_ptr<ShownText>> shown;
    for (const QString& instance : instances) {
      shown.push_back(std::make_unique<ShownText>("Glyvar " + instance));
      shown.push_back(std::make_unique<ShownText>(installed + " " + instance));
    }
    for (int pass = 0; pass < 2; ++pass) {
      for (std::size_t i = 0; i < shown.size(); i += 2) {
        const double ink = GrabbedInk(shown[i]->label);
        const double own = GrabbedInk(shown[i + 1]->label);
        QVERIFY2(near(ink, own), qPrintable(instances[static_cast<int>(i / 2)] +
                                            " on screen: " + QString::number(ink / own)));
      }
      QFontDatabase::removeApplicationFont(QFontDatabase::addApplicationFont(
          QStringLiteral(GLYPHERA_TEST_FONT_DIR "/DejaVuSerif.ttf")));
    }
    for (const QString& instance : instances) {
      const QImage page = PrintedBands(dir, "Glyvar " + instance, {{false, false, "HHHHoooo"}});
      const QImage own =
          PrintedBands(dir, installed + " " + instance, {{false, false, "HHHHoooo"}});
      const double ink = InkOf(page, 0, kBand).amount;
      const double ownInk = InkOf(own, 0, kBand).amount;
      QVERIFY2(near(ink, ownInk),
               qPrintable(instance + " on paper: " + QString::number(ink / ownInk)));
    }
  }

  // A font naming a family the toolkit does not have, or more than one family, makes it rank
  // every installed family against every other before it draws (seconds with thousands of
  // fonts). Names with no face of their own are drawn in the one installed family fontconfig
  // puts in their place, and the windows' own fonts name one installed family.
  void fontsNameOneInstalledFamily() {
    for (const char* name : {"No Such Font", "Sans Serif", "System", "Arial", "DejaVu Sans"}) {
      QFont font;
      SetFace(font, name, false, false);
      QVERIFY2(font.families().size() == 1 && QFontDatabase::hasFamily(font.families().front()),
               name);
    }
    const QFont design = DesignFont(DesignScale(120), 13, false);
    QVERIFY(design.families().size() <= 1 && QFontDatabase::hasFamily(design.family()));
  }
};

QTEST_MAIN(FaceDrawingTest)
#include "FaceDrawingTest.moc"

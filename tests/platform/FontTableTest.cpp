#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QtTest>
#include <filesystem>

#include "fixtures/TempDir.h"
#include "platform/fonts/FaceFont.h"
#include "platform/fonts/FontconfigFontServices.h"
#include "platform/fonts/FontconfigFontTable.h"

// Font files added to the program's font table from outside the installed fonts.
class FontTableTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void addedFileIsListedAndDrawnUntilRemovedAsOftenAsAdded();
  void fullNameSelectsOneFace();
  void shownFileThatChangesCannotCrash();
  void qtLetsGoOfRemovedFilesTogether();
  void eachShownFileIsDrawnFromItsOwnGlyphs_data();
  void eachShownFileIsDrawnFromItsOwnGlyphs();

 private:
  TempDir dir_;
  std::string mono_;
  std::string monoBold_;
};

void FontTableTest::initTestCase() {
  mono_ = dir_.File("mono.ttf");
  monoBold_ = dir_.File("mono-bold.ttf");
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", mono_);
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", monoBold_);
}

void FontTableTest::addedFileIsListedAndDrawnUntilRemovedAsOftenAsAdded() {
  FontconfigFontServices fonts;
  FontconfigFontTable table;
  QVERIFY(fonts.EnumFontFamilies("DejaVu Sans Mono").empty());
  QVERIFY(!QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans Mono")));
  table.AddFontResource(mono_);
  table.AddFontResource(mono_);
  QCOMPARE(fonts.EnumFontFamilies("DejaVu Sans Mono").size(), std::size_t{1});
  QVERIFY(QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans Mono")));
  table.RemoveFontResource(mono_);
  QVERIFY(table.IsAdded(mono_));
  QCOMPARE(fonts.EnumFontFamilies("DejaVu Sans Mono").size(), std::size_t{1});
  table.RemoveFontResource(mono_);
  QVERIFY(!table.IsAdded(mono_));
  QVERIFY(fonts.EnumFontFamilies("DejaVu Sans Mono").empty());
  QVERIFY(!QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans Mono")));
  table.RemoveFontResource(mono_);  // more removes than adds change nothing
  table.BroadcastFontChange();
}

void FontTableTest::fullNameSelectsOneFace() {
  FontconfigFontServices fonts;
  FontconfigFontTable table;
  table.AddFontResource(mono_);
  table.AddFontResource(monoBold_);
  const std::vector<FontStyleRecord> faces = fonts.EnumFontFamilies("DejaVu Sans Mono Bold");
  QCOMPARE(faces.size(), std::size_t{1});
  QCOMPARE(faces[0].elfStyle, std::string("Bold"));
  QCOMPARE(faces[0].FaceName, std::string("DejaVu Sans Mono"));
  QCOMPARE(fonts.EnumFontFamilies("DejaVu Sans Mono").size(), std::size_t{2});

  const QFontInfo bold(FaceFont("DejaVu Sans Mono Bold", 12));
  QCOMPARE(bold.family(), QStringLiteral("DejaVu Sans Mono"));
  QVERIFY(bold.bold());
  const QFontInfo regular(FaceFont("DejaVu Sans Mono", 12));
  QVERIFY(!regular.bold());
  table.RemoveFontResource(mono_);
  table.RemoveFontResource(monoBold_);
}

// A file shown from the table is cut short and then deleted while the program still draws new
// sizes and styles of it: drawing must go on from what was read, never fault on a mapped page.
void FontTableTest::shownFileThatChangesCannotCrash() {
  const std::string shown = dir_.File("shrinking.ttf");
  std::filesystem::copy_file(mono_, shown);
  FontconfigFontTable table;
  table.AddFontResource(shown);
  table.BroadcastFontChange();
  QImage page(800, 200, QImage::Format_Grayscale8);
  const auto draw = [&page](int points, bool bold, bool italic) {
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setFont(FaceFont("DejaVu Sans Mono", points, bold, italic));
    painter.drawText(10, 150, QStringLiteral("The quick brown fox jumps, 0123456789"));
  };
  draw(12, false, false);
  std::filesystem::resize_file(shown, 1024);
  for (int points = 13; points <= 40; points += 9) draw(points, points > 20, points > 30);
  std::filesystem::remove(shown);
  draw(48, true, false);
  table.RemoveFontResource(shown);
  QVERIFY(!table.IsAdded(shown));
}

// Qt reads every application font again after any one is removed, so a removed file stays with
// Qt, out of the lists, until removed files outnumber the added ones or a new file shares its
// family. Counted, not timed: KeptFiles is how many removals Qt has not yet paid for.
void FontTableTest::qtLetsGoOfRemovedFilesTogether() {
  const std::string liberation = "/usr/share/fonts/truetype/liberation/";
  const std::string dejavu = "/usr/share/fonts/truetype/dejavu/";
  const std::string serif = dejavu + "DejaVuSerif.ttf";
  struct Step {
    bool add;
    std::string path;
    std::size_t kept;
    bool monoListed;
  };
  const Step steps[] = {
      // Three files a print added stay.
      {true, liberation + "LiberationSans-Regular.ttf", 0, false},
      {true, liberation + "LiberationMono-Regular.ttf", 0, false},
      {true, liberation + "LiberationSerif-Regular.ttf", 0, false},
      // Faces shown one after another.
      {true, mono_, 0, true},
      {false, mono_, 1, false},
      {true, serif, 1, false},
      {false, serif, 2, false},
      // Shown again: taken back, and listed again.
      {true, mono_, 1, true},
      {false, mono_, 2, false},
      // Same family as the kept mono file: that one goes now.
      {true, monoBold_, 1, true},
      {false, monoBold_, 2, false},
      // Fewer added than kept: all go.
      {false, liberation + "LiberationSans-Regular.ttf", 0, false},
  };
  FontconfigFontServices fonts;
  FontconfigFontTable table;
  int index = 0;
  for (const Step& step : steps) {
    const QByteArray row = QByteArray::number(index++);
    if (step.add)
      table.AddFontResource(step.path);
    else
      table.RemoveFontResource(step.path);
    QVERIFY2(table.KeptFiles() == step.kept, row);
    QVERIFY2(fonts.EnumFontFamilies("DejaVu Sans Mono").empty() != step.monoListed, row);
  }
  table.RemoveFontResource(liberation + "LiberationMono-Regular.ttf");
  table.RemoveFontResource(liberation + "LiberationSerif-Regular.ttf");
  QCOMPARE(table.KeptFiles(), std::size_t{0});
  QVERIFY(!QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans Mono")));
}

namespace {

// What "g" looks like at 40 pixels: in a font of the program's table, or straight from a file's
// bytes, which no font database stands between.
QImage Ink(const std::function<void(QPainter&)>& draw) {
  QImage page(160, 60, QImage::Format_Grayscale8);
  page.fill(Qt::white);
  QPainter painter(&page);
  draw(painter);
  return page;
}

QImage InkOfFile(const std::string& path) {
  const QRawFont raw(QString::fromStdString(path), 40);
  return Ink([&raw](QPainter& painter) {
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(raw.glyphIndexesForString(QStringLiteral("g")));
    run.setPositions({QPointF(0, 0)});
    painter.drawGlyphRun(QPointF(10, 45), run);
  });
}

}  // namespace

// Faces shown one after another, as clicks in a preview list do: every one is drawn from its own
// file, even when the last one's font is still held by a widget and the files share names.
void FontTableTest::eachShownFileIsDrawnFromItsOwnGlyphs_data() {
  QTest::addColumn<QStringList>("files");
  const QString dejavu = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
  const QString liberation = QStringLiteral("/usr/share/fonts/truetype/liberation/");
  QTest::newRow("four renamed files")
      << QStringList{dejavu + "DejaVuSansMono.ttf", liberation + "LiberationSerif-Italic.ttf",
                     liberation + "LiberationSans-Regular.ttf", dejavu + "DejaVuSansMono-Bold.ttf"};
  QTest::newRow("back and forth") << QStringList{
      liberation + "LiberationSerif-Bold.ttf", dejavu + "DejaVuSansMono-Oblique.ttf",
      liberation + "LiberationSerif-Bold.ttf", dejavu + "DejaVuSansMono-Oblique.ttf"};
}

void FontTableTest::eachShownFileIsDrawnFromItsOwnGlyphs() {
  QFETCH(QStringList, files);
  FontconfigFontTable table;
  QRawFont held;
  std::string shown;
  int step = 0;
  for (const QString& source : files) {
    const std::string path = dir_.File("shown-" + std::to_string(step++) + ".ttf");
    std::filesystem::copy_file(source.toStdString(), path,
                               std::filesystem::copy_options::overwrite_existing);
    if (!shown.empty()) table.RemoveFontResource(shown);
    table.AddFontResource(path);
    table.BroadcastFontChange();
    shown = path;
    const QString family = QRawFont(source, 40).familyName();
    QFont font = FaceFont(family.toStdString(), 12);
    font.setPixelSize(40);
    const QImage drawn = Ink([&font](QPainter& painter) {
      painter.setFont(font);
      painter.drawText(10, 45, QStringLiteral("g"));
    });
    QVERIFY2(drawn == InkOfFile(path), qPrintable(source));
    // As the text layout of a widget that showed the face keeps the toolkit's face in use.
    held = QRawFont::fromFont(font);
  }
  table.RemoveFontResource(shown);
}

QTEST_MAIN(FontTableTest)
#include "FontTableTest.moc"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <filesystem>

#include "fixtures/TempDir.h"
#include "platform/FaceFont.h"
#include "platform/FontconfigFontServices.h"
#include "platform/FontconfigFontTable.h"

// Font files added to the program's font table from outside the installed fonts.
class FontTableTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void addedFileIsListedAndDrawnUntilRemovedAsOftenAsAdded();
  void fullNameSelectsOneFace();
  void shownFileThatChangesCannotCrash();

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

QTEST_MAIN(FontTableTest)
#include "FontTableTest.moc"

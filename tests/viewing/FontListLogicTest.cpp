#include <QtTest>
#include <optional>
#include <string>
#include <vector>

#include "platform/fonts/FontStyleRecord.h"
#include "viewing/FontStylesSummary.h"
#include "viewing/ScreenFontSet.h"

using Names = std::vector<std::string>;
Q_DECLARE_METATYPE(Names)
Q_DECLARE_METATYPE(std::vector<FontStyleRecord>)

namespace {

FontStyleRecord Face(const std::string& style, std::uint8_t pitch,
                     std::uint8_t charSet = ANSI_CHARSET) {
  FontStyleRecord face;
  face.elfStyle = style;
  face.tmPitchAndFamily = pitch;
  face.tmCharSet = charSet;
  return face;
}

}  // namespace

class FontListLogicTest : public QObject {
  Q_OBJECT
 private slots:
  void screenFontSetIgnoresCaseAndStaysSorted();
  void screenFontSetLookups_data();
  void screenFontSetLookups();
  void styleNamesAreFiltered_data();
  void styleNamesAreFiltered();
  void stylesCaption_data();
  void stylesCaption();
  void classificationLastMatchingFaceDecides_data();
  void classificationLastMatchingFaceDecides();
  void charPanelSizeFollowsSymbolCharSet();
};

void FontListLogicTest::screenFontSetIgnoresCaseAndStaysSorted() {
  ScreenFontSet set;
  set.AddAll({"Verdana", "arial", "Courier New", "ARIAL", "Tahoma"});
  set.Add("Arial");
  set.Add("Zapf Dingbats");
  set.Add("courier new");
  QCOMPARE(set.Count(), std::size_t{5});
  const Names expected = {"arial", "Courier New", "Tahoma", "Verdana", "Zapf Dingbats"};
  QCOMPARE(set.Names(), expected);
  QVERIFY(set.Contains("ZAPF DINGBATS"));
  QVERIFY(!set.Contains("École Script"));
  set.Add("École Script");
  QVERIFY(set.Contains("école SCRIPT"));  // letters beyond ASCII ignore case too
}

void FontListLogicTest::screenFontSetLookups_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("found");
  QTest::newRow("exact") << "Times New Roman" << true;
  QTest::newRow("other case") << "times new ROMAN" << true;
  QTest::newRow("first") << "Arial" << true;
  QTest::newRow("last") << "Wingdings" << true;
  QTest::newRow("prefix only") << "Times" << false;
  QTest::newRow("before all") << "AAA" << false;
  QTest::newRow("after all") << "Zzz" << false;
  QTest::newRow("empty") << "" << false;
}

void FontListLogicTest::screenFontSetLookups() {
  QFETCH(QString, name);
  QFETCH(bool, found);
  ScreenFontSet set;
  set.AddAll({"Wingdings", "Arial", "Times New Roman", "Courier New", "Default"});
  QCOMPARE(set.Contains(name.toStdString()), found);
}

void FontListLogicTest::styleNamesAreFiltered_data() {
  QTest::addColumn<QString>("style");
  QTest::addColumn<bool>("accepted");
  QTest::newRow("plain") << "Regular" << true;
  QTest::newRow("with blank") << "Bold Italic" << true;
  QTest::newRow("between Z and a") << "A_b^c" << true;
  QTest::newRow("hyphen") << "Semi-Bold" << false;
  QTest::newRow("digit") << "W3" << false;
  QTest::newRow("dot") << "Bold." << false;
  QTest::newRow("above z") << "Bold{" << false;
  QTest::newRow("accented") << "Négrita" << false;
}

void FontListLogicTest::styleNamesAreFiltered() {
  QFETCH(QString, style);
  QFETCH(bool, accepted);
  QCOMPARE(IsAcceptedStyleName(style.toStdString()), accepted);
}

void FontListLogicTest::stylesCaption_data() {
  QTest::addColumn<Names>("styles");
  QTest::addColumn<QString>("caption");
  QTest::newRow("four styles") << Names{"Regular", "Italic", "Bold", "Bold Italic"}
                               << "Styles: Regular, Italic, Bold, Bold Italic ";
  QTest::newRow("one letter stays") << Names{"A"} << "Styles: A ";
  QTest::newRow("none") << Names{} << "";
  QTest::newRow("only dropped names") << Names{"Semi-Bold", "W3"} << "";
  QTest::newRow("dropped among kept")
      << Names{"Book", "Demi-Bold", "Oblique"} << "Styles: Book, Oblique ";
  QTest::newRow("cut at NUL") << Names{std::string("Bold\0junk-1", 11)} << "Styles: Bold ";
}

void FontListLogicTest::stylesCaption() {
  QFETCH(Names, styles);
  QFETCH(QString, caption);
  std::vector<FontStyleRecord> faces;
  for (const std::string& style : styles) faces.push_back(Face(style, TMPF_TRUETYPE));
  QCOMPARE(QString::fromStdString(SummariseFontStyles(faces).StylesCaption), caption);
}

void FontListLogicTest::classificationLastMatchingFaceDecides_data() {
  QTest::addColumn<std::vector<FontStyleRecord>>("faces");
  QTest::addColumn<QString>("type");  // empty: nothing decided
  QTest::newRow("truetype") << std::vector{Face("Regular", TMPF_TRUETYPE)} << "TrueType";
  QTest::newRow("truetype wins over vector bit")
      << std::vector{Face("Regular", TMPF_TRUETYPE | TMPF_VECTOR)} << "TrueType";
  QTest::newRow("vector") << std::vector{Face("Regular", TMPF_VECTOR)} << "Adobe Type 1";
  QTest::newRow("vector with OEM")
      << std::vector{Face("Regular", TMPF_VECTOR, OEM_CHARSET)} << "Adobe Type 1";
  QTest::newRow("raster") << std::vector{Face("Regular", 0, OEM_CHARSET)} << "Raster";
  QTest::newRow("none fits") << std::vector{Face("Regular", 0, SYMBOL_CHARSET)} << "";
  QTest::newRow("last fitting face")
      << std::vector{Face("A", TMPF_TRUETYPE), Face("B", TMPF_VECTOR), Face("C", 0)}
      << "Adobe Type 1";
}

void FontListLogicTest::classificationLastMatchingFaceDecides() {
  QFETCH(std::vector<FontStyleRecord>, faces);
  QFETCH(QString, type);
  const std::optional<std::string> decided = SummariseFontStyles(faces).FontType;
  QCOMPARE(decided ? QString::fromStdString(*decided) : QString(), type);
}

void FontListLogicTest::charPanelSizeFollowsSymbolCharSet() {
  QCOMPARE(SummariseFontStyles({Face("Regular", TMPF_TRUETYPE, SYMBOL_CHARSET)}).CharPanelPoints,
           std::optional<int>(20));
  QCOMPARE(SummariseFontStyles({Face("Regular", TMPF_TRUETYPE)}).CharPanelPoints,
           std::optional<int>(30));
  QCOMPARE(SummariseFontStyles({}).CharPanelPoints, std::optional<int>());
}

QTEST_GUILESS_MAIN(FontListLogicTest)
#include "FontListLogicTest.moc"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <filesystem>
#include <set>

#include "command/CommandSheetTexts.h"
#include "fakes/FakePrinter.h"
#include "fixtures/FontToolsBlocks.h"
#include "fixtures/RealServices.h"
#include "fixtures/TempDir.h"
#include "platform/fonts/FaceCoverage.h"
#include "platform/fonts/FreeTypeLibrary.h"
#include "platform/fonts/UnhintedSfnt.h"
#include "platform/text/UnicodeBlocks.h"
#include "printing/CoverageSheet.h"

namespace {

struct Book {
  Book() { texts.SetHeadingFont("Liberation Mono"); }
  CommandSheetTexts texts;
  PageMetrics metrics{600, 600};
  std::string suffix;
  SheetLines lines;
  ParagraphSizeTable sizes{};
  SheetContext Context() { return {texts, metrics, suffix, lines, sizes}; }
};

// What of a face the copy drawn on PDF pages must keep, and how many glyphs carry instructions
// (or fail to load hinted).
struct Outlines {
  std::string PostScriptName;
  std::string Family;
  std::vector<std::vector<std::pair<FT_Pos, FT_Pos>>> Points;
  int Hinted = 0;
};

Outlines OutlinesOf(const std::string& sfnt) {
  static const FreeTypeLibrary library;
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(library.Handle(), reinterpret_cast<const FT_Byte*>(sfnt.data()),
                         static_cast<FT_Long>(sfnt.size()), 0, &face) != 0) {
    return {};
  }
  Outlines outlines{FT_Get_Postscript_Name(face), face->family_name, {}, 0};
  for (FT_Long g = 0; g < face->num_glyphs; ++g) {
    if (FT_Load_Glyph(face, static_cast<FT_UInt>(g), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0)
      continue;
    const FT_Outline& outline = face->glyph->outline;
    auto& points = outlines.Points.emplace_back();
    for (short p = 0; p < outline.n_points; ++p)
      points.emplace_back(outline.points[p].x, outline.points[p].y);
  }
  // FreeType hands out a glyph's instructions only as it hints it.
  FT_Set_Pixel_Sizes(face, 0, 16);
  for (FT_Long g = 0; g < face->num_glyphs; ++g) {
    const bool loaded = FT_Load_Glyph(face, static_cast<FT_UInt>(g), FT_LOAD_DEFAULT) == 0;
    outlines.Hinted += !loaded || face->glyph->control_len > 0 ? 1 : 0;
  }
  FT_Done_Face(face);
  return outlines;
}

QProcess& Ran(QProcess& process, const QString& program, const QStringList& arguments) {
  process.start(program, arguments);
  process.waitForFinished(60000);
  return process;
}

}  // namespace

// The coverage book against fontTools and Unicode's own block list, and a chart page as printed.
class CoverageSheetTest : public QObject {
  Q_OBJECT
 private slots:
  void everyBlockIsAsUnicodeListsIt();
  void blocksAndCountsMatchFontTools_data();
  void blocksAndCountsMatchFontTools();
  void chartPageShowsTheFaceAndTheThreeMarks();

 private:
  TempDir home_;
};

void CoverageSheetTest::everyBlockIsAsUnicodeListsIt() {
  QFile list("/usr/share/unicode/Blocks.txt");
  QVERIFY(list.open(QIODevice::ReadOnly));
  std::vector<QString> expected;
  for (const QString& line : QString::fromUtf8(list.readAll()).split('\n')) {
    if (!line.startsWith('#') && line.contains(';')) expected.push_back(line.trimmed());
  }
  std::vector<QString> blocks;
  for (const UnicodeBlock& b : UnicodeBlocks::All()) {
    blocks.push_back(QString::asprintf("%04X..%04X; ", unsigned(b.First), unsigned(b.Last)) +
                     QString::fromStdString(b.Name));
  }
  QCOMPARE(blocks, expected);
}

void CoverageSheetTest::blocksAndCountsMatchFontTools_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("face");
  QTest::newRow("DejaVu Sans") << "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf" << 0;
  QTest::newRow("Noto Sans") << "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf" << 0;
  QTest::newRow("CFF symbols") << "/usr/share/fonts/opentype/urw-base35/StandardSymbolsPS.otf" << 0;
  QTest::newRow("symbol map only") << "/usr/share/wine/fonts/wingding.ttf" << 0;
  QTest::newRow("collection's second face") << "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc" << 1;
}

void CoverageSheetTest::blocksAndCountsMatchFontTools() {
  QFETCH(QString, file);
  QFETCH(int, face);
  const FontToolsCoverage expected = FontToolsBlocks(file.toStdString(), face);
  const FaceCoverage coverage = ReadFaceCoverage(file.toStdString(), face);
  QCOMPARE(coverage.GlyphCount, expected.Glyphs);
  const std::vector<BlockCoverage> blocks = CoveredBlocks(coverage);
  QCOMPARE(blocks.size(), expected.Blocks.size());
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const UnicodeBlock& block = UnicodeBlocks::All()[static_cast<std::size_t>(blocks[i].Block)];
    QCOMPARE(QString::fromStdString(block.Name), QString::fromStdString(expected.Blocks[i].Name));
    QCOMPARE(block.First, expected.Blocks[i].First);
    QCOMPARE(block.Last, expected.Blocks[i].Last);
    // Code points Unicode has not assigned are counted apart, so no block passes its assigned.
    QCOMPARE(blocks[i].Present + blocks[i].Unassigned, expected.Blocks[i].Count);
    QVERIFY2(blocks[i].Present <= block.Assigned, block.Name.c_str());
  }

  // The copy a PDF page embeds: the same outlines under the same PostScript name, no
  // instructions, and found by the family given alone.
  const Outlines original = OutlinesOf(*coverage.Sfnt);
  const std::optional<std::string> copy = UnhintedSfnt::Make(*coverage.Sfnt, "Copy Family");
  QVERIFY(copy.has_value());
  const Outlines unhinted = OutlinesOf(*copy);
  QCOMPARE(unhinted.Family, std::string("Copy Family"));
  QCOMPARE(unhinted.PostScriptName, original.PostScriptName);
  QCOMPARE(unhinted.Points.size(), original.Points.size());
  QVERIFY(unhinted.Points == original.Points);
  QCOMPARE(unhinted.Hinted, 0);
}

void CoverageSheetTest::chartPageShowsTheFaceAndTheThreeMarks() {
  const FaceCoverage face = ReadFaceCoverage(GLYPHERA_TEST_FONT_DIR "/DejaVuSans.ttf", 0);
  Book book;
  FakePrinter fake(std::vector<std::string>{});
  fake.BeginDoc();
  std::vector<std::pair<int, int>> told;
  PrintCoverage(fake, book.Context(), face,
                [&told](int drawn, int pages) { told.emplace_back(drawn, pages); });
  fake.EndDoc();
  const FakePrinter::Sent& planned = fake.documents.back();
  QCOMPARE(std::get<1>(planned.Bookmarks.front()), face.FullName);
  // Every page is told as it is drawn, of the book's pages.
  QCOMPARE(told.size(), static_cast<std::size_t>(planned.Pages));
  for (std::size_t i = 0; i < told.size(); ++i) {
    QCOMPARE(told[i], std::make_pair(static_cast<int>(i) + 1, planned.Pages));
  }

  // For each mark, and for a glyph of the face, the first chart page with one: its page, first
  // code point and columns, and the code point.
  struct Marked {
    int Page;
    char32_t First;
    int Columns;
    char32_t Code;
  };
  std::set<char32_t> present;
  for (const MappedCode& code : face.Codes) present.insert(code.CodePoint);
  std::map<std::string, Marked> marked;
  for (const auto& [level, title, blockPage] : planned.Bookmarks) {
    if (level != 1) continue;
    const UnicodeBlock& block =
        *std::find_if(UnicodeBlocks::All().begin(), UnicodeBlocks::All().end(),
                      [&title = title](const UnicodeBlock& b) { return b.Name == title; });
    for (char32_t c = block.First; c <= block.Last; ++c) {
      const CodePointKind kind = UnicodeBlocks::KindOf(c);
      if (present.count(c) != 0 && c <= 0x20) continue;  // controls and space show no ink
      const char32_t first = c - (c - block.First) % 256;
      const int columns =
          static_cast<int>((std::min<char32_t>(block.Last, first + 255) - first) / 16 + 1);
      const int page = blockPage + static_cast<int>((c - block.First) / 256);
      marked.emplace(present.count(c) != 0               ? "glyph"
                     : kind == CodePointKind::Unassigned ? "unassigned"
                     : kind == CodePointKind::Character  ? "missing"
                                                         : "control",
                     Marked{page, first, columns, c});
    }
  }
  QCOMPARE(marked.size(), std::size_t{4});

  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home_.File("config")));
  RealServices real(home_.File("glyphera"));
  real.printer.SetPrinterIndex(0);
  real.printer.SetOutputFolder(home_.File("out"));
  real.printer.SetTitle("coverage");
  real.printer.BeginDoc();
  PrintCoverage(real.printer, book.Context(), face);
  real.printer.EndDoc();
  const QString pdf =
      QString::fromStdString(std::filesystem::directory_iterator(home_.File("out"))->path());

  // A sound file whose outline lists the face and its blocks, with the face's glyphs embedded.
  QProcess check;
  QCOMPARE(Ran(check, "qpdf", {"--check", pdf}).exitCode(), 0);
  QProcess outline;
  const QJsonArray outlines =
      QJsonDocument::fromJson(
          Ran(outline, "qpdf", {"--json", "--json-key=outlines", pdf}).readAllStandardOutput())
          .object()["outlines"]
          .toArray();
  QCOMPARE(outlines.size(), 1);
  QCOMPARE(outlines[0]["title"].toString().toStdString(), face.FullName);
  QCOMPARE(outlines[0]["kids"].toArray().size(),
           static_cast<qsizetype>(planned.Bookmarks.size() - 1));
  QProcess fonts;
  QVERIFY(QString(Ran(fonts, "pdffonts", {pdf}).readAllStandardOutput()).contains("DejaVuSans"));

  constexpr int kDpi = 200;
  std::map<std::string, QImage> pages;
  std::map<std::string, QRect> cells;
  for (const auto& [mark, at] : marked) {
    QProcess render;
    const std::string name = home_.File(mark);
    Ran(render, "pdftoppm",
        {"-r", QString::number(kDpi), "-gray", "-f", QString::number(at.Page + 1), "-l",
         QString::number(at.Page + 1), "-singlefile", pdf, QString::fromStdString(name)});
    pages[mark] = QImage(QString::fromStdString(name + ".pgm"));
    QVERIFY(!pages[mark].isNull());
    // Page pixels are the printable area's plus the quarter-inch margin.
    const int index = static_cast<int>(at.Code - at.First);
    const SurfaceRect r = ChartCell(book.metrics, at.Columns, index / 16, index % 16);
    const auto px = [](int v) { return v * kDpi / 600 + kDpi / 4; };
    cells[mark] = QRect(QPoint(px(r.Left), px(r.Top)), QPoint(px(r.Right) - 1, px(r.Bottom) - 1));
  }
  std::string page;
  const auto grey = [&](QPoint p) { return qGray(pages[page].pixel(p)); };
  page = "missing";
  QVERIFY(std::abs(grey(cells[page].topLeft() + QPoint(6, 6)) - 210) < 20);
  page = "unassigned";
  QVERIFY(std::abs(grey(cells[page].topLeft() + QPoint(6, 6)) - 120) < 20);
  // A dashed box: ink and paper by turns along its top edge, inside a white cell.
  page = "control";
  const QRect control = cells[page];
  const int dashRow = control.top() + kDpi * 4 / 100;
  int turns = 0;
  bool inked = false;
  for (int x = control.left() + kDpi * 5 / 100; x < control.right() - kDpi * 5 / 100; ++x) {
    const bool ink =
        std::min({grey({x, dashRow - 1}), grey({x, dashRow}), grey({x, dashRow + 1})}) < 200;
    turns += ink != inked ? 1 : 0;
    inked = ink;
  }
  QVERIFY2(turns >= 6, qPrintable(QString::number(turns)));
  QCOMPARE(grey(control.topLeft() + QPoint(3, 3)), 255);
  // The face's glyph: ink in the upper part of its cell, which is not shaded.
  page = "glyph";
  const QRect glyph = cells[page];
  int ink = 0;
  for (int y = glyph.top() + 4; y < glyph.top() + glyph.height() * 6 / 10; ++y) {
    for (int x = glyph.left() + 4; x < glyph.right() - 4; ++x) ink += grey({x, y}) < 128 ? 1 : 0;
  }
  QVERIFY(ink > 20);
}

QTEST_MAIN(CoverageSheetTest)
#include "CoverageSheetTest.moc"

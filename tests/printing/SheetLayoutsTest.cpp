#include <QLocale>
#include <QtTest>

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "fakes/RecordingSurface.h"
#include "printing/Sheet.h"
#include "printing/SheetContext.h"
#include "printing/SheetLayouts.h"

Q_DECLARE_METATYPE(SheetKind)

namespace {

class FakeSheetTexts final : public ISheetTexts {
 public:
  std::string HeadingFont() override { return heading; }
  std::string SampleTitle() override { return title; }
  std::string SampleText() override { return sample; }
  std::string ParagraphText() override { return paragraph; }
  std::string SizeLine(int points) override { return "Line of " + std::to_string(points); }
  bool PrintBold() override { return bold; }
  bool PrintItalic() override { return italic; }
  int SampleSize() override { return sampleSize; }

  std::string heading = "Heading Face";
  std::string title = "Glyphera sample";
  std::string sample = "The quick brown fox";
  std::string paragraph = "A paragraph of text.";
  bool bold = false;
  bool italic = false;
  int sampleSize = 11;
};

constexpr std::array<float, kParagraphSizeCount> kParagraphPoints = {
    7, 7.5f, 8, 8.5f, 9, 9.5f, 10, 10.5f, 11, 11.5f, 12, 13, 14};

// Everything a sheet reads, owned in one place so the context's references stay valid.
struct SheetInputs {
  explicit SheetInputs(int dpiX = 600, int dpiY = 600) : metrics{dpiX, dpiY} {
    for (int i = 0; i < kParagraphSizeCount; ++i) sizes[i] = {false, kParagraphPoints[i]};
  }
  SheetContext Context() { return {texts, metrics, suffix, lines, sizes}; }

  FakeSheetTexts texts;
  PageMetrics metrics;
  std::string suffix;
  std::array<std::string, 3> lines = {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghij", "old sample"};
  ParagraphSizeTable sizes;
};

const RecordingSurface::Text* FindText(const RecordingSurface& surface, const std::string& value) {
  const auto it = std::find_if(surface.texts.begin(), surface.texts.end(),
                               [&](const auto& text) { return text.Value == value; });
  return it == surface.texts.end() ? nullptr : &*it;
}

std::vector<RecordingSurface::Text> TextsAt(const RecordingSurface& surface, int y) {
  std::vector<RecordingSurface::Text> found;
  for (const auto& text : surface.texts) {
    if (text.Y == y) found.push_back(text);
  }
  return found;
}

bool SameFont(const SurfaceFont& a, const SurfaceFont& b) {
  return a.Face == b.Face && a.Points == b.Points && a.Bold == b.Bold && a.Italic == b.Italic;
}

QString Describe(const SurfaceFont& f) {
  return QStringLiteral("%1 %2pt%3%4")
      .arg(QString::fromStdString(f.Face))
      .arg(f.Points)
      .arg(f.Bold ? " bold" : "")
      .arg(f.Italic ? " italic" : "");
}

#define CHECK_FONT(actual, expected)   \
  QVERIFY2(SameFont(actual, expected), \
           qPrintable(Describe(actual) + QStringLiteral(" instead of ") + Describe(expected)))

#define CHECK_TEXT_AT(surface, value, x, y)                                           \
  do {                                                                                \
    const RecordingSurface::Text* found_ = FindText(surface, value);                  \
    QVERIFY2(found_ != nullptr,                                                       \
             qPrintable(QStringLiteral("no text ") + QString::fromStdString(value))); \
    QCOMPARE(found_->X, x);                                                           \
    QCOMPARE(found_->Y, y);                                                           \
  } while (false)

int CountFaceNames(const RecordingSurface& surface) {
  return static_cast<int>(
      std::count_if(surface.texts.begin(), surface.texts.end(),
                    [](const auto& t) { return t.Value.rfind("Face ", 0) == 0; }));
}

// Runs a whole Sample Text printout over the selected fonts; one surface per page.
std::deque<RecordingSurface> PrintSamplePages(SheetInputs& sheet, int selected) {
  std::deque<RecordingSurface> pages;
  pages.emplace_back(sheet.metrics.DpiY);
  pages.back().dpiX = sheet.metrics.DpiX;
  const SheetContext context = sheet.Context();
  SampleTextPrintout printout(context);
  printout.Prepare(pages.back());
  const SampleTextPrintout::NewPage newPage = [&]() -> IDrawingSurface& {
    pages.emplace_back(sheet.metrics.DpiY);
    pages.back().dpiX = sheet.metrics.DpiX;
    return pages.back();
  };
  for (int printed = 1; printed <= selected; ++printed) {
    printout.Block(pages.back(), "Face " + std::to_string(printed), printed, selected, newPage);
  }
  return pages;
}

enum class OneFontPage { Chart, Full, Paragraphs };

}  // namespace

Q_DECLARE_METATYPE(OneFontPage)

class SheetLayoutsTest : public QObject {
  Q_OBJECT
 private slots:
  void everyKindIsOneRow_data();
  void everyKindIsOneRow();
  void sampleHeading_data();
  void sampleHeading();
  void sampleAdvanceAndLimit_data();
  void sampleAdvanceAndLimit();
  void sampleBlockPositions_data();
  void sampleBlockPositions();
  void blocksPerPage_data();
  void blocksPerPage();
  void newPageOnlyWhileFontsRemain_data();
  void newPageOnlyWhileFontsRemain();
  void fontHeading_data();
  void fontHeading();
  void oneFontPagesHeadTheirStyledName_data();
  void oneFontPagesHeadTheirStyledName();
  void chartCells_data();
  void chartCells();
  void chartRows();
  void fullPageSizeLines_data();
  void fullPageSizeLines();
  void fullPageStyleSections();
  void fullPageExtendedCharacters();
  void paragraphRectangle_data();
  void paragraphRectangle();
  void paragraphSizes_data();
  void paragraphSizes();
  void paragraphLabelSeparator_data();
  void paragraphLabelSeparator();
  void onlyCheckedSizesInTableOrder();
  void paragraphsStopAtTheBottom_data();
  void paragraphsStopAtTheBottom();
};

// Every kind of sheet is one row: found by its kind and its command-line name, in the job's
// order, and a kind of one page a face draws that page.
void SheetLayoutsTest::everyKindIsOneRow_data() {
  QTest::addColumn<SheetKind>("kind");
  QTest::addColumn<QString>("command");
  QTest::newRow("sample") << SheetKind::SampleText << "sample";
  QTest::newRow("chart") << SheetKind::CharacterChart << "chart";
  QTest::newRow("full") << SheetKind::FullPage << "full";
  QTest::newRow("paragraphs") << SheetKind::TextParagraphs << "paragraphs";
  QTest::newRow("coverage") << SheetKind::Coverage << "coverage";
}

void SheetLayoutsTest::everyKindIsOneRow() {
  QFETCH(SheetKind, kind);
  QFETCH(QString, command);
  const Sheet& sheet = SheetFor(kind);
  QCOMPARE(SheetNamed(command.toStdString()), &sheet);
  QCOMPARE(Sheets().at(static_cast<std::size_t>(kind)), &sheet);
  // A piece of a book splits the faces only where each has pages of its own.
  QCOMPARE(sheet.FacesPerPiece() == 0, sheet.Paging() == SheetPaging::FacesPerPage);
  SheetInputs inputs;
  inputs.sizes[4].Checked = true;
  RecordingSurface surface(600);
  if (sheet.Paging() == SheetPaging::PagePerFace) {
    sheet.Draw(surface, inputs.Context(), sheet.Prepare(inputs.Context()), "Serif");
    QVERIFY(surface.texts.size() + surface.blocks.size() > 2);
  } else {
    QVERIFY_THROWS_EXCEPTION(std::logic_error, sheet.Draw(surface, inputs.Context(), {}, "Serif"));
  }
}

void SheetLayoutsTest::sampleHeading_data() {
  QTest::addColumn<int>("dpiX");
  QTest::addColumn<int>("dpiY");
  QTest::addColumn<QString>("suffix");
  QTest::addColumn<int>("size");
  QTest::addColumn<QString>("right");
  QTest::addColumn<int>("left");
  QTest::addColumn<int>("textY");
  QTest::addColumn<int>("end");
  QTest::addColumn<int>("ruleY");
  QTest::addColumn<int>("pen");
  QTest::addColumn<int>("startY");

  QTest::newRow("Italic at 600 dpi")
      << 600 << 600 << " - Italic" << 11 << "Italic   Size: 11 points" << 360 << 270 << 4500 << 420
      << 6 << 480;
  QTest::newRow("no style words") << 600 << 600 << "" << 11 << "   Size: 11 points" << 360 << 270
                                  << 4500 << 420 << 6 << 480;
  QTest::newRow("Bold Italic at 60 points")
      << 600 << 600 << " - Bold Italic" << 60 << "Bold Italic   Size: 60 points" << 360 << 270
      << 4500 << 420 << 6 << 480;
  QTest::newRow("across uses DpiX, down and pen DpiY")
      << 300 << 600 << " - Bold" << 11 << "Bold   Size: 11 points" << 180 << 270 << 2250 << 420 << 6
      << 480;
  QTest::newRow("150 dpi: 67.5 rounds to 68, pen 1")
      << 150 << 150 << "" << 8 << "   Size: 8 points" << 90 << 68 << 1125 << 105 << 1 << 120;
  QTest::newRow("250 dpi pen is 2")
      << 250 << 250 << "" << 8 << "   Size: 8 points" << 150 << 112 << 1875 << 175 << 2 << 200;
}

void SheetLayoutsTest::sampleHeading() {
  QFETCH(int, dpiX);
  QFETCH(int, dpiY);
  QFETCH(QString, suffix);
  QFETCH(int, size);
  QFETCH(QString, right);
  QFETCH(int, left);
  QFETCH(int, textY);
  QFETCH(int, end);
  QFETCH(int, ruleY);
  QFETCH(int, pen);
  QFETCH(int, startY);

  SheetInputs sheet(dpiX, dpiY);
  sheet.suffix = suffix.toStdString();
  RecordingSurface surface(dpiY);
  surface.dpiX = dpiX;
  const BlockPosition start = DrawSampleHeading(surface, sheet.Context(), size);

  QCOMPARE(surface.texts.size(), std::size_t{2});
  const auto& title = surface.texts[0];
  QCOMPARE(title.Value, sheet.texts.title);
  QCOMPARE(title.X, left);
  QCOMPARE(title.Y, textY);
  CHECK_FONT(title.Font, (SurfaceFont{"Heading Face", 10, false, false}));

  const auto& sizeText = surface.texts[1];
  QCOMPARE(QString::fromStdString(sizeText.Value), right);
  QCOMPARE(sizeText.X + 10 * static_cast<int>(sizeText.Value.size()), end);
  QCOMPARE(sizeText.Y, textY);
  CHECK_FONT(sizeText.Font, (SurfaceFont{"Heading Face", 10, false, false}));

  QCOMPARE(surface.lines.size(), std::size_t{1});
  const auto& rule = surface.lines[0];
  QCOMPARE(rule.FromX, left);
  QCOMPARE(rule.ToX, end);
  QCOMPARE(rule.FromY, ruleY);
  QCOMPARE(rule.ToY, ruleY);
  QCOMPARE(rule.PenWidth, pen);
  QCOMPARE(start.X, left);
  QCOMPARE(start.Y, startY);
}

void SheetLayoutsTest::sampleAdvanceAndLimit_data() {
  QTest::addColumn<int>("dpi");
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("advance");
  QTest::addColumn<int>("limit");

  QTest::newRow("11 pt at 600: limit 5835.5 up to even") << 600 << 11 << 121 << 5836;
  QTest::newRow("12 pt at 600: limit 5810.5 down to even") << 600 << 12 << 129 << 5810;
  QTest::newRow("60 pt at 600: limit 4610.5 down to even") << 600 << 60 << 529 << 4610;
  QTest::newRow("4 pt at 300") << 300 << 4 << 31 << 3005;
  QTest::newRow("11 pt at 72: advance 14.5 down to even") << 72 << 11 << 14 << 700;
  QTest::newRow("12 pt at 72: advance 15.5 up to even") << 72 << 12 << 16 << 697;
}

void SheetLayoutsTest::sampleAdvanceAndLimit() {
  QFETCH(int, dpi);
  QFETCH(int, size);
  QFETCH(int, advance);
  QFETCH(int, limit);

  SheetInputs sheet(dpi, dpi);
  sheet.texts.sampleSize = size;
  RecordingSurface surface(dpi);
  SampleTextPrintout printout(sheet.Context());
  printout.Prepare(surface);
  QCOMPARE(printout.LineAdvance(), advance);
  QCOMPARE(printout.Limit(), limit);
}

void SheetLayoutsTest::sampleBlockPositions_data() {
  QTest::addColumn<int>("dpiX");
  QTest::addColumn<bool>("bold");
  QTest::addColumn<bool>("italic");
  QTest::addColumn<int>("x");

  QTest::newRow("600 dpi regular") << 600 << false << false << 360;
  QTest::newRow("600 dpi bold italic") << 600 << true << true << 360;
  QTest::newRow("300 across, italic") << 300 << false << true << 180;
}

void SheetLayoutsTest::sampleBlockPositions() {
  QFETCH(int, dpiX);
  QFETCH(bool, bold);
  QFETCH(bool, italic);
  QFETCH(int, x);

  SheetInputs sheet(dpiX, 600);
  sheet.texts.bold = bold;
  sheet.texts.italic = italic;
  const std::deque<RecordingSurface> pages = PrintSamplePages(sheet, 2);
  QCOMPARE(pages.size(), std::size_t{1});
  const RecordingSurface& page = pages.front();

  // The third line is the sample text as the printout was prepared; the caller's lines stay.
  const SheetLines lines = {sheet.lines[0], sheet.lines[1], sheet.texts.sample};
  QVERIFY(sheet.lines[2] != sheet.texts.sample);
  CHECK_TEXT_AT(page, std::string("Face 1"), x, 480);
  CHECK_FONT(FindText(page, "Face 1")->Font, (SurfaceFont{"Heading Face", 10, false, false}));
  const std::array<int, 3> lineYs = {582, 703, 824};
  for (int i = 0; i < 3; ++i) {
    const auto at = TextsAt(page, lineYs[i]);
    QCOMPARE(at.size(), std::size_t{1});
    QCOMPARE(at[0].Value, lines[i]);
    QCOMPARE(at[0].X, x);
    CHECK_FONT(at[0].Font, (SurfaceFont{"Face 1", 11, bold, italic}));
  }
  CHECK_TEXT_AT(page, std::string("Face 2"), x, 1005);
}

void SheetLayoutsTest::blocksPerPage_data() {
  QTest::addColumn<int>("dpi");
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("perPage");

  const std::array<std::pair<int, int>, 7> counts = {
      {{4, 16}, {8, 13}, {11, 11}, {12, 10}, {24, 6}, {36, 5}, {60, 3}}};
  for (const int dpi : {300, 600}) {
    for (const auto& [size, perPage] : counts) {
      QTest::addRow("%d pt at %d dpi", size, dpi) << dpi << size << perPage;
    }
  }
  // After 16 blocks the next one starts exactly on the limit (1443) and still fits.
  QTest::newRow("4 pt at 144 dpi: a block on the limit") << 144 << 4 << 17;
}

void SheetLayoutsTest::blocksPerPage() {
  QFETCH(int, dpi);
  QFETCH(int, size);
  QFETCH(int, perPage);

  constexpr int kSelected = 40;
  SheetInputs sheet(dpi, dpi);
  sheet.texts.sampleSize = size;
  const std::deque<RecordingSurface> pages = PrintSamplePages(sheet, kSelected);

  QCOMPARE(static_cast<int>(pages.size()), (kSelected + perPage - 1) / perPage);
  for (std::size_t i = 0; i + 1 < pages.size(); ++i) QCOMPARE(CountFaceNames(pages[i]), perPage);
  QCOMPARE(CountFaceNames(pages.back()),
           kSelected - perPage * (static_cast<int>(pages.size()) - 1));
}

void SheetLayoutsTest::newPageOnlyWhileFontsRemain_data() {
  QTest::addColumn<int>("selected");
  QTest::addColumn<int>("pages");
  QTest::addColumn<int>("onLastPage");

  QTest::newRow("11 fonts fill one page") << 11 << 1 << 11;
  QTest::newRow("12 fonts: second page holds one") << 12 << 2 << 1;
  QTest::newRow("22 fonts: no empty third page") << 22 << 2 << 11;
}

void SheetLayoutsTest::newPageOnlyWhileFontsRemain() {
  QFETCH(int, selected);
  QFETCH(int, pages);
  QFETCH(int, onLastPage);

  SheetInputs sheet;
  const std::deque<RecordingSurface> printed = PrintSamplePages(sheet, selected);
  QCOMPARE(static_cast<int>(printed.size()), pages);
  QCOMPARE(CountFaceNames(printed.back()), onLastPage);
  // Every page opens with its own heading and starts its blocks from the top again.
  CHECK_TEXT_AT(printed.back(), sheet.texts.title, 360, 270);
  const std::string first = "Face " + std::to_string(selected - onLastPage + 1);
  CHECK_TEXT_AT(printed.back(), first, 360, 480);
}

void SheetLayoutsTest::fontHeading_data() {
  QTest::addColumn<int>("dpiX");
  QTest::addColumn<int>("dpiY");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("x");
  QTest::addColumn<int>("y");
  QTest::addColumn<int>("ruleY");
  QTest::addColumn<int>("ruleFrom");
  QTest::addColumn<int>("ruleTo");
  QTest::addColumn<int>("pen");

  QTest::newRow("600 dpi") << 600 << 600 << "Arial - Bold" << 2340 << 180 << 360 << 360 << 4500
                           << 6;
  QTest::newRow("across uses DpiX")
      << 300 << 600 << "Arial - Bold" << 1140 << 180 << 360 << 180 << 2250 << 6;
  QTest::newRow("down uses DpiY") << 600 << 300 << "Serif" << 2375 << 90 << 180 << 360 << 4500 << 3;
  QTest::newRow("150 dpi") << 150 << 150 << "Odd" << 585 << 45 << 90 << 90 << 1125 << 1;
}

void SheetLayoutsTest::fontHeading() {
  QFETCH(int, dpiX);
  QFETCH(int, dpiY);
  QFETCH(QString, text);
  QFETCH(int, x);
  QFETCH(int, y);
  QFETCH(int, ruleY);
  QFETCH(int, ruleFrom);
  QFETCH(int, ruleTo);
  QFETCH(int, pen);

  SheetInputs sheet(dpiX, dpiY);
  RecordingSurface surface(dpiY);
  surface.dpiX = dpiX;
  DrawFontHeading(surface, sheet.Context(), text.toStdString());

  QCOMPARE(surface.texts.size(), std::size_t{1});
  QCOMPARE(surface.texts[0].X, x);
  QCOMPARE(surface.texts[0].Y, y);
  QCOMPARE(surface.lines.size(), std::size_t{1});
  QCOMPARE(surface.lines[0].FromX, ruleFrom);
  QCOMPARE(surface.lines[0].ToX, ruleTo);
  QCOMPARE(surface.lines[0].FromY, ruleY);
  QCOMPARE(surface.lines[0].ToY, ruleY);
  QCOMPARE(surface.lines[0].PenWidth, pen);
  // The pages go on drawing in the font the heading leaves behind.
  CHECK_FONT(surface.font, (SurfaceFont{"Heading Face", 12, false, false}));
}

void SheetLayoutsTest::oneFontPagesHeadTheirStyledName_data() {
  QTest::addColumn<OneFontPage>("page");
  QTest::newRow("Character Chart") << OneFontPage::Chart;
  QTest::newRow("Full Page") << OneFontPage::Full;
  QTest::newRow("Text Paragraphs") << OneFontPage::Paragraphs;
}

void SheetLayoutsTest::oneFontPagesHeadTheirStyledName() {
  QFETCH(OneFontPage, page);

  SheetInputs sheet;
  sheet.suffix = " - Bold Italic";
  sheet.sizes[0].Checked = true;
  RecordingSurface surface(600);
  const SheetContext context = sheet.Context();
  switch (page) {
    case OneFontPage::Chart:
      PrintCharacterChart(surface, context, "Serif");
      break;
    case OneFontPage::Full:
      PrintFullPage(surface, context, sheet.lines, "Serif");
      break;
    case OneFontPage::Paragraphs:
      PrintTextParagraphs(surface, context, "Serif");
      break;
  }
  QVERIFY(!surface.texts.empty());
  QCOMPARE(surface.texts[0].Value, std::string("Serif - Bold Italic"));
  QCOMPARE(surface.texts[0].Y, 180);
  QCOMPARE(surface.lines.size(), std::size_t{1});
  QCOMPARE(surface.lines[0].FromY, 360);
}

void SheetLayoutsTest::chartCells_data() {
  QTest::addColumn<int>("dpiX");
  QTest::addColumn<int>("dpiY");
  QTest::addColumn<int>("code");
  QTest::addColumn<QString>("label");
  QTest::addColumn<int>("labelX");
  QTest::addColumn<int>("labelY");
  QTest::addColumn<QString>("glyph");
  QTest::addColumn<int>("glyphX");
  QTest::addColumn<int>("glyphY");

  QTest::newRow("33 opens the chart")
      << 600 << 600 << 33 << "33 !" << 450 << 600 << "!" << 468 << 690;
  QTest::newRow("65 shows its letter")
      << 600 << 600 << 65 << "65 A" << 1650 << 1260 << "A" << 1668 << 1350;
  QTest::newRow("126 is the last with its character")
      << 600 << 600 << 126 << "126 ~" << 3150 << 2580 << "~" << 3168 << 2670;
  QTest::newRow("127 is a number alone")
      << 600 << 600 << 127 << "127" << 3450 << 2580 << QString(QChar(0x7F)) << 3468 << 2670;
  QTest::newRow("128 is the euro sign")
      << 600 << 600 << 128 << "128" << 3750 << 2580 << QString(QChar(0x20AC)) << 3768 << 2670;
  QTest::newRow("200 has no character in its label")
      << 600 << 600 << 200 << "200" << 4350 << 4230 << QString(QChar(0xC8)) << 4368 << 4320;
  QTest::newRow("243 starts the last row")
      << 600 << 600 << 243 << "243" << 450 << 5550 << QString(QChar(0xF3)) << 468 << 5640;
  QTest::newRow("255 ends it in column 13")
      << 600 << 600 << 255 << "255" << 4050 << 5550 << QString(QChar(0xFF)) << 4068 << 5640;
  QTest::newRow("150 dpi: 37.5 and 22.5 round to even")
      << 150 << 150 << 33 << "33 !" << 113 << 150 << "!" << 117 << 172;
  QTest::newRow("150 dpi, third row")
      << 150 << 150 << 65 << "65 A" << 413 << 314 << "A" << 417 << 336;
  QTest::newRow("across uses DpiX")
      << 300 << 600 << 65 << "65 A" << 825 << 1260 << "A" << 834 << 1350;
}

void SheetLayoutsTest::chartCells() {
  QFETCH(int, dpiX);
  QFETCH(int, dpiY);
  QFETCH(int, code);
  QFETCH(QString, label);
  QFETCH(int, labelX);
  QFETCH(int, labelY);
  QFETCH(QString, glyph);
  QFETCH(int, glyphX);
  QFETCH(int, glyphY);

  SheetInputs sheet(dpiX, dpiY);
  sheet.texts.bold = true;
  RecordingSurface surface(dpiY);
  surface.dpiX = dpiX;
  PrintCharacterChart(surface, sheet.Context(), "Serif");

  // Heading, then one label and one glyph per code from 33 to 255, label line before glyph line.
  QCOMPARE(surface.texts.size(), std::size_t{1 + 2 * 223});
  const int row = (code - 33) / 14;
  const int column = (code - 33) % 14;
  const int rowStart = 1 + row * 28;
  const int rowLength = row == 15 ? 13 : 14;
  const auto& labelText = surface.texts[rowStart + column];
  QCOMPARE(QString::fromStdString(labelText.Value), label);
  QCOMPARE(labelText.X, labelX);
  QCOMPARE(labelText.Y, labelY);
  CHECK_FONT(labelText.Font, (SurfaceFont{"Heading Face", 7, false, false}));
  const auto& glyphText = surface.texts[rowStart + rowLength + column];
  QCOMPARE(QString::fromStdString(glyphText.Value), glyph);
  QCOMPARE(glyphText.X, glyphX);
  QCOMPARE(glyphText.Y, glyphY);
  CHECK_FONT(glyphText.Font, (SurfaceFont{"Serif", 16, true, false}));
}

void SheetLayoutsTest::chartRows() {
  SheetInputs sheet;
  RecordingSurface surface(600);
  PrintCharacterChart(surface, sheet.Context(), "Serif");

  // Label lines at 1.0 in and every 0.55 in after, each glyph line 0.15 in below its labels.
  for (int row = 0; row < 16; ++row) {
    const int labelY = 600 + row * 330;
    const std::size_t expected = row == 15 ? 13 : 14;
    QCOMPARE(TextsAt(surface, labelY).size(), expected);
    QCOMPARE(TextsAt(surface, labelY + 90).size(), expected);
  }
  QCOMPARE(TextsAt(surface, 600 + 16 * 330).size(), std::size_t{0});
  const auto lastLabels = TextsAt(surface, 5550);
  QCOMPARE(lastLabels.back().Value, std::string("255"));
  QVERIFY(std::none_of(surface.texts.begin(), surface.texts.end(),
                       [](const auto& t) { return t.Value == "256"; }));
}

void SheetLayoutsTest::fullPageSizeLines_data() {
  QTest::addColumn<int>("points");
  QTest::addColumn<int>("y");

  const std::array<std::pair<int, int>, 12> tops = {{{8, 420},
                                                     {9, 522},
                                                     {10, 630},
                                                     {11, 750},
                                                     {12, 882},
                                                     {14, 1020},
                                                     {16, 1170},
                                                     {18, 1350},
                                                     {24, 1542},
                                                     {36, 1800},
                                                     {48, 2160},
                                                     {60, 2640}}};
  for (const auto& [points, y] : tops) QTest::addRow("%d pt", points) << points << y;
}

void SheetLayoutsTest::fullPageSizeLines() {
  QFETCH(int, points);
  QFETCH(int, y);

  SheetInputs sheet;
  sheet.texts.bold = true;
  sheet.texts.italic = true;
  RecordingSurface surface(600);
  PrintFullPage(surface, sheet.Context(), sheet.lines, "Serif");

  const std::string line = "Line of " + std::to_string(points);
  CHECK_TEXT_AT(surface, line, 360, y);
  // The options do not reach the size ladder.
  CHECK_FONT(FindText(surface, line)->Font, (SurfaceFont{"Serif", points, false, false}));
}

void SheetLayoutsTest::fullPageStyleSections() {
  SheetInputs sheet(300, 600);
  const SheetLines lines = PrepareFullPage(sheet.Context());
  QCOMPARE(lines[2], sheet.texts.sample);
  RecordingSurface surface(600);
  surface.dpiX = 300;
  PrintFullPage(surface, sheet.Context(), lines, "Serif");

  struct Section {
    std::string Name;
    int Y;
    bool Bold;
    bool Italic;
  };
  const std::array<Section, 4> sections = {{{"Normal", 3300, false, false},
                                            {"Bold", 3822, true, false},
                                            {"Italic", 4344, false, true},
                                            {"Bold Italic", 4866, true, true}}};
  for (const Section& section : sections) {
    CHECK_TEXT_AT(surface, section.Name, 180, section.Y);
    CHECK_FONT(FindText(surface, section.Name)->Font,
               (SurfaceFont{"Heading Face", 11, false, false}));
    const std::array<int, 3> lineYs = {section.Y + 102, section.Y + 222, section.Y + 342};
    for (int i = 0; i < 3; ++i) {
      const auto at = TextsAt(surface, lineYs[i]);
      QCOMPARE(at.size(), std::size_t{1});
      QCOMPARE(at[0].Value, lines[i]);
      QCOMPARE(at[0].X, 180);
      CHECK_FONT(at[0].Font, (SurfaceFont{"Serif", 12, section.Bold, section.Italic}));
    }
  }
}

void SheetLayoutsTest::fullPageExtendedCharacters() {
  SheetInputs sheet;
  RecordingSurface surface(600);
  PrintFullPage(surface, sheet.Context(), sheet.lines, "Serif");

  CHECK_TEXT_AT(surface, std::string("Extended Characters"), 360, 5388);
  CHECK_FONT(FindText(surface, "Extended Characters")->Font,
             (SurfaceFont{"Heading Face", 11, false, false}));

  const std::array<std::string, 4> expected = {
      "\u007F \u20AC \u0081 \u201A \u0192 \u201E \u2026 \u2020 \u2021 \u02C6 \u2030 \u0160 "
      "\u2039 \u0152 \u008D \u017D \u008F \u0090 \u2018 \u2019 \u201C \u201D \u2022 \u2013 "
      "\u2014 \u02DC \u2122 \u0161 \u203A \u0153 \u009D \u017E ",
      "\u0178 \u00A0 ¡ ¢ £ ¤ ¥ ¦ § ¨ © ª « ¬ \u00AD ® ¯ ° ± ² ³ ´ µ ¶ · ¸ ¹ º » ¼ ½ ¾ ",
      "¿ À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ",
      "ß à á â ã ä å æ ç è é ê ë ì í î ï ð ñ ò ó ô õ ö ÷ ø ù ú û ü ý þ ÿ "};
  const std::array<int, 4> ys = {5508, 5646, 5784, 5922};
  for (int i = 0; i < 4; ++i) {
    const auto at = TextsAt(surface, ys[i]);
    QCOMPARE(at.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(at[0].Value), QString::fromStdString(expected[i]));
    QCOMPARE(at[0].X, 360);
    CHECK_FONT(at[0].Font, (SurfaceFont{"Serif", 12, false, false}));
  }
  QCOMPARE(QString::fromStdString(expected[3]).size(), 66);
}

void SheetLayoutsTest::paragraphRectangle_data() {
  QTest::addColumn<int>("dpiX");
  QTest::addColumn<int>("dpiY");
  QTest::addColumn<int>("left");
  QTest::addColumn<int>("top");
  QTest::addColumn<int>("right");
  QTest::addColumn<int>("bottom");
  QTest::addColumn<int>("gap");

  QTest::newRow("600 dpi") << 600 << 600 << 360 << 480 << 4500 << 6300 << 100;
  QTest::newRow("across uses DpiX") << 300 << 600 << 180 << 480 << 2250 << 6300 << 100;
  QTest::newRow("200 dpi: gap 33 whole pixels") << 200 << 200 << 120 << 160 << 1500 << 2100 << 33;
}

void SheetLayoutsTest::paragraphRectangle() {
  QFETCH(int, dpiX);
  QFETCH(int, dpiY);
  QFETCH(int, left);
  QFETCH(int, top);
  QFETCH(int, right);
  QFETCH(int, bottom);
  QFETCH(int, gap);

  SheetInputs sheet(dpiX, dpiY);
  sheet.sizes[0].Checked = true;
  sheet.sizes[1].Checked = true;
  RecordingSurface surface(dpiY);
  surface.dpiX = dpiX;
  surface.blockHeight = 50;
  PrintTextParagraphs(surface, sheet.Context(), "Serif");

  QCOMPARE(surface.blocks.size(), std::size_t{4});
  const std::array<int, 4> tops = {top, top + 50, top + 50 + 50 + gap, top + 150 + gap};
  for (int i = 0; i < 4; ++i) {
    const SurfaceRect& bounds = surface.blocks[i].Bounds;
    QCOMPARE(bounds.Left, left);
    QCOMPARE(bounds.Top, tops[i]);
    QCOMPARE(bounds.Right, right);
    QCOMPARE(bounds.Bottom, bottom);
  }
}

void SheetLayoutsTest::paragraphSizes_data() {
  QTest::addColumn<int>("entry");
  QTest::addColumn<QString>("label");
  QTest::addColumn<int>("points");

  const std::array<std::pair<const char*, int>, kParagraphSizeCount> rows = {{{"7.0 point", 7},
                                                                              {"7.5 point", 8},
                                                                              {"8.0 point", 8},
                                                                              {"8.5 point", 8},
                                                                              {"9.0 point", 9},
                                                                              {"9.5 point", 10},
                                                                              {"10.0 point", 10},
                                                                              {"10.5 point", 10},
                                                                              {"11.0 point", 11},
                                                                              {"11.5 point", 12},
                                                                              {"12.0 point", 12},
                                                                              {"13.0 point", 13},
                                                                              {"14.0 point", 14}}};
  for (int i = 0; i < kParagraphSizeCount; ++i) {
    QTest::addRow("%s", rows[i].first) << i << rows[i].first << rows[i].second;
  }
}

void SheetLayoutsTest::paragraphSizes() {
  QFETCH(int, entry);
  QFETCH(QString, label);
  QFETCH(int, points);

  SheetInputs sheet;
  sheet.texts.bold = true;
  sheet.texts.italic = true;
  sheet.sizes[entry].Checked = true;
  RecordingSurface surface(600);
  surface.blockHeight = 40;
  PrintTextParagraphs(surface, sheet.Context(), "Serif");

  QCOMPARE(surface.blocks.size(), std::size_t{2});
  const auto& labelBlock = surface.blocks[0];
  QCOMPARE(QString::fromStdString(labelBlock.Value), label);
  QVERIFY(!labelBlock.WordBreak);
  CHECK_FONT(labelBlock.Font, (SurfaceFont{"Heading Face", 11, false, false}));
  const auto& paragraph = surface.blocks[1];
  QCOMPARE(paragraph.Value, sheet.texts.paragraph);
  QVERIFY(paragraph.WordBreak);
  CHECK_FONT(paragraph.Font, (SurfaceFont{"Serif", points, false, false}));
}

void SheetLayoutsTest::paragraphLabelSeparator_data() {
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<int>("entry");
  QTest::addColumn<QString>("label");

  QTest::newRow("C, 7") << QLocale::c() << 0 << "7.0 point";
  QTest::newRow("German, 7") << QLocale(QLocale::German, QLocale::Germany) << 0 << "7,0 point";
  QTest::newRow("German, 10.5") << QLocale(QLocale::German, QLocale::Germany) << 7 << "10,5 point";
  QTest::newRow("English, 11.5") << QLocale(QLocale::English, QLocale::UnitedStates) << 9
                                 << "11.5 point";
}

void SheetLayoutsTest::paragraphLabelSeparator() {
  QFETCH(QLocale, locale);
  QFETCH(int, entry);
  QFETCH(QString, label);

  const QLocale before;
  QLocale::setDefault(locale);
  SheetInputs sheet;
  sheet.sizes[entry].Checked = true;
  RecordingSurface surface(600);
  PrintTextParagraphs(surface, sheet.Context(), "Serif");
  QLocale::setDefault(before);

  QVERIFY(!surface.blocks.empty());
  QCOMPARE(QString::fromStdString(surface.blocks[0].Value), label);
}

void SheetLayoutsTest::onlyCheckedSizesInTableOrder() {
  SheetInputs sheet;
  for (const int entry : {12, 4, 8, 10}) sheet.sizes[entry].Checked = true;
  RecordingSurface surface(600);
  surface.blockHeight = 10;
  PrintTextParagraphs(surface, sheet.Context(), "Serif");

  std::vector<std::string> labels;
  for (const auto& block : surface.blocks) {
    if (!block.WordBreak) labels.push_back(block.Value);
  }
  QCOMPARE(labels,
           (std::vector<std::string>{"9.0 point", "11.0 point", "12.0 point", "14.0 point"}));
  QCOMPARE(surface.blocks.size(), std::size_t{8});
}

void SheetLayoutsTest::paragraphsStopAtTheBottom_data() {
  QTest::addColumn<int>("blockHeight");
  QTest::addColumn<int>("blocks");

  QTest::newRow("short paragraphs: all 13 sizes") << 0 << 26;
  QTest::newRow("second label would start exactly at the bottom") << 2860 << 2;
  QTest::newRow("second label starts just above, its paragraph below") << 2859 << 3;
  QTest::newRow("first label already reaches below") << 6000 << 1;
}

void SheetLayoutsTest::paragraphsStopAtTheBottom() {
  QFETCH(int, blockHeight);
  QFETCH(int, blocks);

  SheetInputs sheet;
  for (auto& size : sheet.sizes) size.Checked = true;
  RecordingSurface surface(600);
  surface.blockHeight = blockHeight;
  PrintTextParagraphs(surface, sheet.Context(), "Serif");

  QCOMPARE(static_cast<int>(surface.blocks.size()), blocks);
  for (const auto& block : surface.blocks) QVERIFY(block.Bounds.Top < block.Bounds.Bottom);
}

QTEST_GUILESS_MAIN(SheetLayoutsTest)
#include "SheetLayoutsTest.moc"

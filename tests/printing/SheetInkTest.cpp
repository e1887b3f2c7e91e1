#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QtTest>

#include <array>
#include <memory>
#include <string>

#include "fixtures/TempDir.h"
#include "platform/drawing/PainterSurface.h"
#include "printing/SheetContext.h"
#include "printing/SheetLayouts.h"

namespace {

constexpr int kDpi = 300;

struct InkTexts final : ISheetTexts {
  explicit InkTexts(int points) : size(points) {}
  std::string HeadingFont() override { return "DejaVu Sans"; }
  std::string SampleTitle() override { return "Glyphy sample"; }
  std::string SampleText() override { return "Quietly jumpy gypsy pigs yelp"; }
  std::string ParagraphText() override { return {}; }
  std::string SizeLine(int) override { return {}; }
  bool PrintBold() override { return false; }
  bool PrintItalic() override { return false; }
  int SampleSize() override { return size; }
  const int size;
};

// Passes one of a sheet's drawing calls (texts and rules, counted in order) to the real surface
// and drops the others, so that call lands alone on its page exactly where the sheet puts it.
// A kept call of -1 passes them all.
class OneCallSurface final : public IDrawingSurface {
 public:
  OneCallSurface(IDrawingSurface& inner, int kept) : inner_(inner), kept_(kept) {}
  int DpiX() override { return inner_.DpiX(); }
  int DpiY() override { return inner_.DpiY(); }
  void SetFont(const SurfaceFont& font) override { inner_.SetFont(font); }
  void TextOut(int x, int y, const std::string& text) override {
    if (!Keep()) return;
    keptTop = y;
    inner_.TextOut(x, y, text);
  }
  int TextWidth(const std::string& text) override { return inner_.TextWidth(text); }
  bool SymbolFont() override { return inner_.SymbolFont(); }
  void SetPenWidth(int width) override { inner_.SetPenWidth(width); }
  void MoveTo(int x, int y) override { inner_.MoveTo(x, y); }
  void LineTo(int x, int y) override { Keep() ? inner_.LineTo(x, y) : inner_.MoveTo(x, y); }
  // The Sample Text sheet wraps no text, so a dropped call's height is never read.
  int DrawText(const std::string& text, const SurfaceRect& bounds, bool wordBreak) override {
    return Keep() ? inner_.DrawText(text, bounds, wordBreak) : 0;
  }
  void DrawGlyphs(const GlyphFace& face, const std::vector<PlacedGlyph>& glyphs) override {
    if (Keep()) inner_.DrawGlyphs(face, glyphs);
  }
  void FillRect(const SurfaceRect& area, int grey) override {
    if (Keep()) inner_.FillRect(area, grey);
  }
  bool NeedsRows(int top, int bottom) override { return inner_.NeedsRows(top, bottom); }

  int calls = 0;
  int keptTop = -1;

 private:
  bool Keep() { return calls++ == kept_ || kept_ < 0; }
  IDrawingSurface& inner_;
  int kept_;
};

struct SamplePage {
  QImage Image;
  int Calls = 0;
  int KeptTop = -1;
  int LineAdvance = 0;
  QFont BodyFont;
};

// A letter-size Sample Text page with one block of the face, drawn by the real sheet code
// through the real painter surface, as a printer gets it: on an image, or printed to a PDF
// file there and read back by poppler.
SamplePage DrawSamplePage(const QString& face, int size, int kept, const TempDir* paper = nullptr) {
  QImage image(17 * kDpi / 2, 11 * kDpi, QImage::Format_Grayscale8);
  image.fill(Qt::white);
  const QString pdf = paper ? QString::fromStdString(paper->File("sample.pdf")) : QString();
  std::unique_ptr<QPdfWriter> writer;
  QPainter painter;
  if (paper) {
    writer = std::make_unique<QPdfWriter>(pdf);
    writer->setResolution(kDpi);
    painter.begin(writer.get());
  } else {
    painter.begin(&image);
  }
  PainterSurface real(painter, kDpi, kDpi);
  OneCallSurface surface(real, kept);
  InkTexts texts(size);
  const PageMetrics metrics{kDpi, kDpi};
  const std::string suffix;
  std::array<std::string, 3> lines = {"Bulky gypsy jigs", "Hefty quipping jokes", ""};
  const ParagraphSizeTable sizes{};
  SampleTextPrintout printout({texts, metrics, suffix, lines, sizes});
  printout.Prepare(surface);
  printout.Block(surface, face.toStdString(), 1, 1, [&]() -> IDrawingSurface& { return surface; });
  // The block ends on its body font: the one whose cells overlap.
  const QFont body = painter.font();
  painter.end();
  if (paper) {
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"),
                       QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, pdf});
    image = QImage(pdf + ".png").convertToFormat(QImage::Format_Grayscale8);
  }
  return {image, surface.calls, surface.keptTop, printout.LineAdvance(), body};
}

// Whether anything is drawn from the given row down.
bool InkedFrom(const QImage& image, int firstRow) {
  const QImage below = image.copy(0, firstRow, image.width(), image.height() - firstRow);
  QImage blank(below.size(), below.format());
  blank.fill(Qt::white);
  return below != blank;
}

double InkOf(const QImage& image) {
  double ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    const uchar* row = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) ink += 255 - row[x];
  }
  return ink;
}

}  // namespace

class SheetInkTest : public QObject {
  Q_OBJECT
 private slots:
  void laterLinesKeepTheInkAbove_data();
  void laterLinesKeepTheInkAbove();
  void printedBodyGrowsWithItsSize_data();
  void printedBodyGrowsWithItsSize();
};

void SheetInkTest::laterLinesKeepTheInkAbove_data() {
  QTest::addColumn<QString>("face");
  QTest::addColumn<int>("size");
  QTest::newRow("C059 60 pt") << "C059" << 60;
  QTest::newRow("URW Bookman 60 pt") << "URW Bookman" << 60;
  QTest::newRow("P052 36 pt") << "P052" << 36;
  QTest::newRow("Nimbus Sans 36 pt") << "Nimbus Sans" << 36;
  QTest::newRow("C059 11 pt") << "C059" << 11;
}

void SheetInkTest::laterLinesKeepTheInkAbove() {
  QFETCH(QString, face);
  QFETCH(int, size);

  const SamplePage page = DrawSamplePage(face, size, -1);
  // A family in more than one file is named with its foundry, "C059 [UKWN]".
  QCOMPARE(QFontInfo(page.BodyFont).family().section(QStringLiteral(" ["), 0, 0), face);
  QVERIFY(QFontMetrics(page.BodyFont).height() > page.LineAdvance);

  // Each call drawn alone on a fresh page: drawing more can only darken, so the full page must
  // be at least as dark at every pixel.
  int lighter = 0;
  for (int call = 0; call < page.Calls; ++call) {
    const SamplePage alone = DrawSamplePage(face, size, call);
    // The block's last three calls are its body lines; the first two must reach into the next
    // line's cell, or the row proves nothing.
    if (call >= page.Calls - 3 && call < page.Calls - 1) {
      QVERIFY(InkedFrom(alone.Image, alone.KeptTop + page.LineAdvance));
    }
    for (int y = 0; y < page.Image.height(); ++y) {
      const uchar* drawn = page.Image.constScanLine(y);
      const uchar* own = alone.Image.constScanLine(y);
      for (int x = 0; x < page.Image.width(); ++x) lighter += drawn[x] > own[x];
    }
  }
  QCOMPARE(lighter, 0);
}

// A block's second body line (the third is empty), printed alone, shows the face at the asked size:
// a face of bitmaps only as much as one with outlines.
void SheetInkTest::printedBodyGrowsWithItsSize_data() {
  QTest::addColumn<QString>("face");
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("larger");
  QTest::newRow("Terminus 8 to 20 pt") << "Terminus" << 8 << 20;
  QTest::newRow("Terminus 12 to 36 pt") << "Terminus" << 12 << 36;
  QTest::newRow("DejaVu Sans 8 to 20 pt") << "DejaVu Sans" << 8 << 20;
}

void SheetInkTest::printedBodyGrowsWithItsSize() {
  QFETCH(QString, face);
  QFETCH(int, size);
  QFETCH(int, larger);
  TempDir dir;
  const auto ink = [&](int points) {
    const int line = DrawSamplePage(face, points, -1).Calls - 2;
    return InkOf(DrawSamplePage(face, points, line, &dir).Image);
  };
  const double small = ink(size);
  QVERIFY(small > 0);
  // Ink covers an area: it grows with the square of the size.
  const double ratio = ink(larger) / small;
  const double expected = static_cast<double>(larger) * larger / (size * size);
  QVERIFY2(ratio > expected / 2 && ratio < expected * 2, qPrintable(QString::number(ratio)));
}

QTEST_MAIN(SheetInkTest)
#include "SheetInkTest.moc"

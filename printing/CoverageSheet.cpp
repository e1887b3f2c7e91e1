#include "printing/CoverageSheet.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/PlatformError.h"
#include "platform/drawing/IDrawingSurface.h"
#include "platform/fonts/FaceFont.h"
#include "platform/printers/IPrintDocument.h"
#include "platform/text/Rounding.h"
#include "platform/text/UnicodeBlocks.h"
#include "printing/SheetLayouts.h"
#include "printing/SheetUnits.h"

namespace {

constexpr int kRows = 16;
constexpr int kColumnsPerPage = 16;
constexpr int kCodesPerPage = kRows * kColumnsPerPage;
// Index rows: the first page has the face's particulars above them.
constexpr double kIndexRowStep = 0.2;
constexpr double kFirstIndexTop = 1.9;
constexpr double kLaterIndexTop = 1.1;
constexpr double kIndexBottom = 9.9;
// Index columns, in inches: where the range starts and where the count and share end. A range of
// five-digit codes and a count of five-digit numbers fit between them.
constexpr double kRangeColumn = 3.15;
constexpr double kPresentRight = 5.55;
constexpr double kShareRight = 6.0;
// Chart cells.
constexpr double kGridTop = 1.25;
constexpr double kCellWidth = 0.43;
constexpr double kCellHeight = 0.53;
constexpr int kGlyphPoints = 20;
constexpr int kCodeLabelPoints = 5;  // the size of the code under each cell
constexpr int kAxisPoints = 9;       // of the column and row headings
// The marks.
constexpr int kMissingGrey = 210;
constexpr int kUnassignedGrey = 120;
constexpr int kBarGrey = 90;

std::string Hex(char32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
  return text;
}

std::string Range(const UnicodeBlock& block) {
  return "U+" + Hex(block.First, 4) + "\u2013U+" + Hex(block.Last, 4);
}

int IndexRowsOnPage(int page) {
  const double top = page == 0 ? kFirstIndexTop : kLaterIndexTop;
  return static_cast<int>((kIndexBottom - top) / kIndexRowStep + 1e-9);
}

int IndexPages(int blocks) {
  int pages = 1;
  for (int rows = IndexRowsOnPage(0); rows < blocks; rows += IndexRowsOnPage(pages)) ++pages;
  return pages;
}

bool IsPrivateUse(const UnicodeBlock& block) {
  return block.Name.find("Private Use Area") != std::string::npos;
}

int ChartPages(const UnicodeBlock& block) {
  const int codes = static_cast<int>(block.Last - block.First + 1);
  return (codes + kCodesPerPage - 1) / kCodesPerPage;
}

// The text cut at the end with an ellipsis to fit the width: the longest fitting start, found by
// halving, since a licence can run to pages.
std::string CutToWidth(IDrawingSurface& surface, const std::string& text, int width) {
  if (surface.TextWidth(text) <= width) return text;
  std::vector<std::size_t> ends;  // the ends of whole characters
  for (std::size_t i = 1; i <= text.size(); ++i) {
    if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ends.push_back(i);
  }
  std::size_t low = 0;
  std::size_t high = ends.size();
  while (low < high) {
    const std::size_t middle = (low + high + 1) / 2;
    if (surface.TextWidth(text.substr(0, ends[middle - 1]) + "\u2026") <= width) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return (low == 0 ? std::string() : text.substr(0, ends[low - 1])) + "\u2026";
}

// "(+2 unassigned)" after the separator for a block whose face maps code points Unicode has not
// assigned; nothing for the others.
std::string UnassignedNote(const BlockCoverage& covered, const std::string& separator) {
  if (covered.Unassigned == 0) return {};
  return separator + "+" + std::to_string(covered.Unassigned) + " unassigned";
}

std::string OneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return text;
}

class CoverageBook {
 public:
  CoverageBook(IPrintDocument& printer, const SheetContext& context, const FaceCoverage& face,
               const CoveragePages& pages)
      : printer_(printer),
        context_(context),
        pages_(pages),
        units_(context.Metrics),
        face_(face),
        blocks_(CoveredBlocks(face)),
        glyphFace_{face.Sfnt, face.FullName, kGlyphPoints, true} {
    FindDigitGlyphs();
  }

  void Print() {
    const auto& all = UnicodeBlocks::All();
    std::vector<int> firstPages;
    int page = IndexPages(static_cast<int>(blocks_.size()));
    for (const BlockCoverage& covered : blocks_) {
      firstPages.push_back(page);
      page += static_cast<int>(covered.Pages.size());
    }
    pageCount_ = page;
    printer_.AddBookmark(0, face_.FullName);
    PrintIndex(firstPages);
    for (const BlockCoverage& covered : blocks_) {
      const UnicodeBlock& block = all[static_cast<std::size_t>(covered.Block)];
      const std::string title = block.Name + "  " + Range(block);
      for (std::size_t part = 0; part < covered.Pages.size(); ++part) {
        NewPage();
        if (part == 0) printer_.AddBookmark(1, block.Name);
        PrintChart(block, covered, static_cast<int>(part), title);
      }
    }
    if (pages_) pages_(pageCount_, pageCount_);
  }

 private:
  IDrawingSurface& Surface() { return printer_.Canvas(); }

  // Ends the page drawn, and says so.
  void NewPage() {
    printer_.NewPage();
    ++pagesDrawn_;
    if (pages_) pages_(pagesDrawn_, pageCount_);
  }

  void SetHeadingFont(int points, bool bold = false) {
    Surface().SetFont({context_.Texts.HeadingFont(), points, bold, false});
  }

  void TextRight(int right, int y, const std::string& text) {
    Surface().TextOut(right - Surface().TextWidth(text), y, text);
  }

  void TextCentred(int centre, int y, const std::string& text) {
    Surface().TextOut(centre - Surface().TextWidth(text) / 2, y, text);
  }

  // Hex numbers in the heading face at one size: each digit's width measured once a book, as
  // text (digits have no kerning), and the face's glyphs for them when it can be drawn by glyph,
  // so that the thousands of numbers of a book are one run a page rather than text laid out one
  // by one.
  struct Digits {
    explicit Digits(int points) : Points(points) {}
    int Points = 0;
    bool Bold = false;
    std::vector<int> Widths;
    GlyphFace Face;
    int Ascent = 0;
    std::vector<PlacedGlyph> Placed;
  };

  static std::size_t DigitIndex(char digit) {
    return static_cast<std::size_t>(digit <= '9' ? digit - '0' : digit - 'A' + 10);
  }

  int Width(Digits& digits, const std::string& hex) {
    if (digits.Widths.empty()) {
      SetHeadingFont(digits.Points, digits.Bold);
      for (const char digit : std::string("0123456789ABCDEF")) {
        digits.Widths.push_back(Surface().TextWidth(std::string(1, digit)));
      }
    }
    int width = 0;
    for (const char digit : hex) width += digits.Widths[DigitIndex(digit)];
    return width;
  }

  // Places the number with its top-left corner at (x, top), as glyphs to be drawn by Flush, or
  // draws it as text at once.
  void Place(Digits& digits, const std::string& hex, int x, int top) {
    if (!digits.Face.Sfnt) {
      SetHeadingFont(digits.Points, digits.Bold);
      Surface().TextOut(x, top, hex);
      return;
    }
    for (const char digit : hex) {
      const int width = Width(digits, std::string(1, digit));
      digits.Placed.push_back(
          {headingDigits_[DigitIndex(digit)], x + width / 2, top + digits.Ascent, 0});
      x += width;
    }
  }

  void Flush(Digits& digits) {
    if (!digits.Placed.empty()) Surface().DrawGlyphs(digits.Face, digits.Placed);
    digits.Placed.clear();
  }

  // The heading face's glyphs for the hex digits; without them the numbers are drawn as text.
  void FindDigitGlyphs() {
    const std::optional<FaceLocation> file = FileOfFace(context_.Texts.HeadingFont(), false, false);
    if (!file) return;
    try {
      const FaceCoverage heading = ReadFaceCoverage(file->File, file->Index);
      const std::string digits = "0123456789ABCDEF";
      for (std::size_t i = 0; i < digits.size(); ++i) {
        const auto found = std::lower_bound(
            heading.Codes.begin(), heading.Codes.end(), static_cast<char32_t>(digits[i]),
            [](const MappedCode& code, char32_t c) { return code.CodePoint < c; });
        if (found == heading.Codes.end() || found->CodePoint != static_cast<char32_t>(digits[i]))
          return;
        headingDigits_[i] = found->Glyph;
      }
      if (heading.UnitsPerEm <= 0) return;
      for (Digits* digits : {&codes_, &axes_}) {
        const int pixels = std::max(1, RoundHalfAway(digits->Points * units_.DpiY() / 72.0));
        digits->Ascent =
            RoundHalfAway(static_cast<double>(heading.Ascender) * pixels / heading.UnitsPerEm);
        digits->Face = {heading.Sfnt, heading.FullName, digits->Points};
      }
    } catch (const PlatformError&) {
      // Drawn as text instead.
    }
  }

  void Rule(double down) {
    Surface().SetPenWidth(units_.RuleWidth());
    Surface().MoveTo(units_.X(0.6), units_.Y(down));
    Surface().LineTo(units_.X(7.5), units_.Y(down));
  }

  void Box(const SurfaceRect& r) {
    Surface().MoveTo(r.Left, r.Top);
    Surface().LineTo(r.Right, r.Top);
    Surface().LineTo(r.Right, r.Bottom);
    Surface().LineTo(r.Left, r.Bottom);
    Surface().LineTo(r.Left, r.Top);
  }

  void DashedBox(const SurfaceRect& r) {
    const int dash = units_.X(0.03);
    for (int x = r.Left; x < r.Right; x += 2 * dash) {
      const int end = std::min(x + dash, r.Right);
      for (int y : {r.Top, r.Bottom}) {
        Surface().MoveTo(x, y);
        Surface().LineTo(end, y);
      }
    }
    for (int y = r.Top; y < r.Bottom; y += 2 * dash) {
      const int end = std::min(y + dash, r.Bottom);
      for (int x : {r.Left, r.Right}) {
        Surface().MoveTo(x, y);
        Surface().LineTo(x, end);
      }
    }
  }

  // The three marks, explained at the foot of every page.
  void Legend() {
    const int top = units_.Y(10.15);
    const int size = units_.Y(0.16);
    const int width = units_.X(0.3);
    SetHeadingFont(8);
    Surface().SetPenWidth(std::max(1, units_.RuleWidth() / 2));
    int x = units_.X(0.6);
    const auto swatch = [&](const std::string& label, auto mark) {
      const SurfaceRect r{x, top, x + width, top + size};
      mark(r);
      Surface().TextOut(r.Right + units_.X(0.08), top, label);
      x = r.Right + units_.X(0.2) + Surface().TextWidth(label);
    };
    swatch("not in this face", [&](const SurfaceRect& r) {
      Surface().FillRect(r, kMissingGrey);
      Box(r);
    });
    swatch("not assigned in Unicode", [&](const SurfaceRect& r) {
      Surface().FillRect(r, kUnassignedGrey);
      Box(r);
    });
    swatch("control or format character", [&](const SurfaceRect& r) { DashedBox(r); });
    SetHeadingFont(8);
    TextRight(units_.X(7.5), top, "Unicode " + UnicodeBlocks::Version());
  }

  void PrintIndex(const std::vector<int>& firstPages) {
    const auto& all = UnicodeBlocks::All();
    DrawFontHeading(Surface(), context_, face_.FullName);
    SetHeadingFont(9);
    const int width = units_.X(6.9);
    const int left = units_.X(0.6);
    std::string file = face_.File;
    if (face_.FaceIndex > 0) file += "  (face " + std::to_string(face_.FaceIndex) + ")";
    const std::vector<std::string> lines = {
        CutToWidth(Surface(), "File: " + file, width),
        CutToWidth(Surface(), "Version: " + OneLine(face_.Version), width),
        CutToWidth(Surface(), "Licence: " + OneLine(face_.Licence), width),
        std::to_string(face_.Codes.size()) + " code points" +
            (face_.SymbolEncoded ? " (symbol-encoded, charted in the Private Use Area)" : "") +
            ", " + std::to_string(face_.GlyphCount) + " glyphs, " + std::to_string(blocks_.size()) +
            " Unicode blocks"};
    double down = 0.7;
    for (const std::string& line : lines) {
      Surface().TextOut(left, units_.Y(down), line);
      down += 0.18;
    }
    int page = 0;
    IndexColumns(kFirstIndexTop - kIndexRowStep);
    double y = kFirstIndexTop;
    int onPage = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
      if (onPage == IndexRowsOnPage(page)) {
        Legend();
        NewPage();
        ++page;
        onPage = 0;
        DrawFontHeading(Surface(), context_, face_.FullName + " (continued)");
        IndexColumns(kLaterIndexTop - kIndexRowStep);
        y = kLaterIndexTop;
      }
      IndexRow(all[static_cast<std::size_t>(blocks_[i].Block)], blocks_[i], y, firstPages[i]);
      y += kIndexRowStep;
      ++onPage;
    }
    Legend();
  }

  void IndexColumns(double down) {
    SetHeadingFont(9, true);
    const int y = units_.Y(down);
    Surface().TextOut(units_.X(0.6), y, "Block");
    Surface().TextOut(units_.X(kRangeColumn), y, "Range");
    TextRight(units_.X(kPresentRight), y, "Present");
    TextRight(units_.X(kShareRight), y, "%");
    Rule(down + 0.17);
  }

  void IndexRow(const UnicodeBlock& block, const BlockCoverage& covered, double down,
                int chartPage) {
    const int top = units_.Y(down);
    const int present = covered.Present;
    SetHeadingFont(9);
    // The name gives way to the note of unassigned code points, which must show whole.
    const std::string note = UnassignedNote(covered, " (") + (covered.Unassigned ? ")" : "");
    const int nameRoom = units_.X(kRangeColumn - 0.7) - Surface().TextWidth(note);
    Surface().TextOut(units_.X(0.6), top, CutToWidth(Surface(), block.Name, nameRoom) + note);
    Surface().TextOut(units_.X(kRangeColumn), top, Range(block));
    TextRight(units_.X(kPresentRight), top,
              std::to_string(present) + " / " + std::to_string(block.Assigned));
    const double share = block.Assigned > 0 ? static_cast<double>(present) / block.Assigned : 0;
    TextRight(units_.X(kShareRight), top, std::to_string(static_cast<int>(share * 100 + 0.5)));
    const SurfaceRect bar{units_.X(kShareRight + 0.15), top + units_.Y(0.03), units_.X(7.5),
                          top + units_.Y(0.14)};
    const int filled = bar.Left + static_cast<int>((bar.Right - bar.Left) * std::min(1.0, share));
    if (filled > bar.Left) Surface().FillRect({bar.Left, bar.Top, filled, bar.Bottom}, kBarGrey);
    Surface().SetPenWidth(std::max(1, units_.RuleWidth() / 2));
    Box(bar);
    printer_.AddLink({units_.X(0.6), top - units_.Y(0.02), units_.X(7.5), top + units_.Y(0.18)},
                     chartPage);
  }

  void PrintChart(const UnicodeBlock& block, const BlockCoverage& covered, int part,
                  const std::string& title) {
    DrawFontHeading(Surface(), context_, title);
    SetHeadingFont(8);
    Surface().TextOut(units_.X(0.6), units_.Y(0.68), face_.FullName);
    TextRight(units_.X(7.5), units_.Y(0.68),
              std::to_string(covered.Present) + " of " + std::to_string(block.Assigned) +
                  " assigned code points present" + UnassignedNote(covered, ", ") +
                  (covered.Pages.size() > 1 ? ", page " + std::to_string(part + 1) + " of " +
                                                  std::to_string(covered.Pages.size())
                                            : ""));
    const char32_t first =
        block.First +
        static_cast<char32_t>(covered.Pages[static_cast<std::size_t>(part)] * kCodesPerPage);
    const char32_t last = std::min<char32_t>(block.Last, first + kCodesPerPage - 1);
    const int columns = static_cast<int>((last - first) / kRows + 1);
    const SurfaceRect origin = ChartCell(context_.Metrics, columns, 0, 0);
    const int cellWidth = origin.Right - origin.Left;
    const int cellHeight = origin.Bottom - origin.Top;
    const int left = origin.Left;
    const int top = origin.Top;
    const int digits = block.Last > 0xFFFF ? 5 : 4;

    // Column headings above, row digits at the left.
    for (int c = 0; c < columns; ++c) {
      const std::string column = Hex((first >> 4) + static_cast<char32_t>(c), digits - 1);
      Place(axes_, column, left + c * cellWidth + (cellWidth - Width(axes_, column)) / 2,
            top - units_.Y(0.2));
    }
    for (int r = 0; r < kRows; ++r) {
      const std::string row = Hex(static_cast<char32_t>(r), 1);
      Place(axes_, row, left - units_.X(0.08) - Width(axes_, row),
            top + r * cellHeight + cellHeight / 3);
    }
    Flush(axes_);

    // The marks, then the grid over them, then the glyphs and the codes.
    const auto codeAt = [&](int c, int r) { return first + static_cast<char32_t>(c * kRows + r); };
    const auto cell = [&](int c, int r) { return ChartCell(context_.Metrics, columns, c, r); };
    const auto begin =
        std::lower_bound(face_.Codes.begin(), face_.Codes.end(), first,
                         [](const MappedCode& code, char32_t c) { return code.CodePoint < c; });
    std::vector<std::uint32_t> glyphs(static_cast<std::size_t>(columns * kRows), 0);
    for (auto code = begin; code != face_.Codes.end() && code->CodePoint <= last; ++code) {
      glyphs[code->CodePoint - first] = code->Glyph;
    }
    Surface().SetPenWidth(std::max(1, units_.RuleWidth() / 2));
    for (int c = 0; c < columns; ++c) {
      for (int r = 0; r < kRows; ++r) {
        const char32_t code = codeAt(c, r);
        const CodePointKind kind = UnicodeBlocks::KindOf(code);
        const bool present = glyphs[static_cast<std::size_t>(c * kRows + r)] != 0;
        const SurfaceRect box = cell(c, r);
        if (kind == CodePointKind::Unassigned && !present) {
          Surface().FillRect(box, kUnassignedGrey);
        } else if (kind == CodePointKind::Character && !present) {
          Surface().FillRect(box, kMissingGrey);
        } else if (kind != CodePointKind::Character) {
          const int inset = units_.X(0.04);
          DashedBox(
              {box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - units_.Y(0.14)});
        }
      }
    }
    Surface().SetPenWidth(std::max(1, units_.RuleWidth() / 2));
    for (int r = 0; r <= kRows; ++r) {
      Surface().MoveTo(left, top + r * cellHeight);
      Surface().LineTo(left + columns * cellWidth, top + r * cellHeight);
    }
    for (int c = 0; c <= columns; ++c) {
      Surface().MoveTo(left + c * cellWidth, top);
      Surface().LineTo(left + c * cellWidth, top + kRows * cellHeight);
    }
    std::vector<PlacedGlyph> placed;
    for (int c = 0; c < columns; ++c) {
      for (int r = 0; r < kRows; ++r) {
        const std::uint32_t glyph = glyphs[static_cast<std::size_t>(c * kRows + r)];
        if (glyph == 0) continue;
        const SurfaceRect box = cell(c, r);
        placed.push_back({glyph, (box.Left + box.Right) / 2, box.Top + units_.Y(0.32),
                          box.Right - box.Left - units_.X(0.04)});
      }
    }
    Surface().DrawGlyphs(glyphFace_, placed);
    SetHeadingFont(kCodeLabelPoints);
    for (int c = 0; c < columns; ++c) {
      for (int r = 0; r < kRows; ++r) {
        const char32_t code = codeAt(c, r);
        const SurfaceRect box = cell(c, r);
        const CodePointKind kind = UnicodeBlocks::KindOf(code);
        const bool present = glyphs[static_cast<std::size_t>(c * kRows + r)] != 0;
        if ((kind == CodePointKind::Control || kind == CodePointKind::Format) && !present) {
          TextCentred((box.Left + box.Right) / 2, box.Top + units_.Y(0.15),
                      kind == CodePointKind::Control ? "CTRL" : "FMT");
        }
        const std::string label = Hex(code, digits);
        Place(codes_, label, (box.Left + box.Right - Width(codes_, label)) / 2,
              box.Bottom - units_.Y(0.11));
      }
    }
    Flush(codes_);
    Legend();
  }

  IPrintDocument& printer_;
  const SheetContext& context_;
  const CoveragePages& pages_;
  int pageCount_ = 0;
  int pagesDrawn_ = 0;
  SheetUnits units_;
  const FaceCoverage& face_;
  std::vector<BlockCoverage> blocks_;
  GlyphFace glyphFace_;
  std::array<std::uint32_t, 16> headingDigits_{};
  Digits codes_{kCodeLabelPoints};  // under each cell
  Digits axes_{kAxisPoints};        // the column and row headings
};

}  // namespace

SurfaceRect ChartCell(const PageMetrics& metrics, int columns, int column, int row) {
  const SheetUnits units(metrics);
  const int width = units.X(kCellWidth);
  const int height = units.Y(kCellHeight);
  const int left = units.X(0.6) + (units.X(6.9) - columns * width) / 2 + column * width;
  const int top = units.Y(kGridTop) + row * height;
  return {left, top, left + width, top + height};
}

std::vector<BlockCoverage> CoveredBlocks(const FaceCoverage& face) {
  std::vector<BlockCoverage> blocks;
  for (const MappedCode& code : face.Codes) {
    const int block = UnicodeBlocks::IndexOf(code.CodePoint);
    if (block < 0) continue;
    if (blocks.empty() || blocks.back().Block != block) blocks.push_back({block, 0, 0, {}});
    const UnicodeBlock& unicode = UnicodeBlocks::All()[static_cast<std::size_t>(block)];
    const int page = static_cast<int>(code.CodePoint - unicode.First) / kCodesPerPage;
    std::vector<int>& pages = blocks.back().Pages;
    if (!IsPrivateUse(unicode)) {
      if (pages.empty()) {
        for (int p = 0; p < ChartPages(unicode); ++p) pages.push_back(p);
      }
    } else if (pages.empty() || pages.back() != page) {
      pages.push_back(page);
    }
    // Only assigned code points count against the block's assigned ones, so no share passes
    // 100 %; a face that maps others says so beside it.
    if (UnicodeBlocks::KindOf(code.CodePoint) == CodePointKind::Unassigned) {
      ++blocks.back().Unassigned;
    } else {
      ++blocks.back().Present;
    }
  }
  return blocks;
}

void PrintCoverage(IPrintDocument& printer, const SheetContext& context, const FaceCoverage& face,
                   const CoveragePages& pages) {
  CoverageBook(printer, context, face, pages).Print();
}

#include "viewing/FontMap.h"

#include <QString>

#include "platform/text/QtText.h"
#include "platform/text/Windows1252.h"
#include "viewing/FontList.h"
#include "widgets/CheckBox.h"
#include "widgets/Grid.h"
#include "widgets/Label.h"

namespace {

QString Character(char32_t code) {
  return QString::fromUcs4(&code, 1);
}

// A caption takes a lone "&" for the underline marker; "&&" shows one "&".
std::string AsCaption(QString text) {
  return ToStdString(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

}  // namespace

FontMap::FontMap(const FontMapControls& controls, const FontList& fonts)
    : c_(controls), fonts_(fonts) {}

void FontMap::FillCells(bool symbol) {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const auto code = static_cast<unsigned char>(CodeAt(column, row));
      // A symbol face keeps its glyphs in the private range, one for each code.
      c_.grdFontMap.SetCell(column, row,
                            Character(symbol ? SymbolCodePoint(code) : Windows1252ToUnicode(code)));
    }
  }
  symbolCells_ = symbol;
}

void FontMap::RefreshFontMap() {
  const std::string& face = fonts_.CurrentFontName();
  c_.lblGridHeading.SetCaption(face);
  c_.lblGridHeading.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  c_.chkGridBold.SetChecked(false);
  c_.chkGridItalic.SetChecked(false);
  c_.pnlCurrChar.SetFaceName(face);
  c_.grdFontMap.SetFaceName(face);
  const bool refill = fonts_.CurrentIsSymbol() != symbolCells_;
  if (refill) FillCells(fonts_.CurrentIsSymbol());
  // Each real move shows the new current cell; when the cell stays put, the enlarged character
  // would otherwise keep the glyph of the cells that were just replaced.
  const bool moves = c_.grdFontMap.Col() != 1 || c_.grdFontMap.Row() != 1;
  c_.grdFontMap.SetCol(1);
  c_.grdFontMap.SetRow(1);
  if (refill && !moves) grdFontMapClick();
}

void FontMap::grdFontMapClick() {
  const int code = CodeAt(c_.grdFontMap.Col(), c_.grdFontMap.Row());
  // The label names the code page's character whatever the face; the panel shows the cell as the
  // face draws it, which for a symbol face is no "&" even at code 38.
  const QString shown = Character(Windows1252ToUnicode(static_cast<unsigned char>(code)));
  const QString cell = c_.grdFontMap.Cell(c_.grdFontMap.Col(), c_.grdFontMap.Row());
  c_.pnlCurrChar.SetCaption(AsCaption(cell));
  c_.lblCurrChar.SetCaption("Current Character:  " + std::to_string(code) + "  " +
                            AsCaption(shown));
}

void FontMap::chkGridBoldClick() {
  c_.grdFontMap.SetBold(c_.chkGridBold.Checked());
  c_.pnlCurrChar.SetBold(c_.chkGridBold.Checked());
}

void FontMap::chkGridItalicClick() {
  c_.grdFontMap.SetItalic(c_.chkGridItalic.Checked());
  c_.pnlCurrChar.SetItalic(c_.chkGridItalic.Checked());
}

#include "viewing/FontMap.h"

#include <QString>

#include "platform/CheckBox.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/QtText.h"
#include "platform/Windows1252.h"
#include "viewing/FontList.h"

namespace {

QString Character(char32_t code) {
  return QString::fromUcs4(&code, 1);
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
  if (fonts_.CurrentIsSymbol() != symbolCells_) FillCells(fonts_.CurrentIsSymbol());
  c_.grdFontMap.SetCol(1);
  c_.grdFontMap.SetRow(1);
}

void FontMap::grdFontMapClick() {
  const int code = CodeAt(c_.grdFontMap.Col(), c_.grdFontMap.Row());
  // The label speaks the code page's character; the panel shows the cell as the face draws it.
  const std::string shown =
      ToStdString(Character(Windows1252ToUnicode(static_cast<unsigned char>(code))));
  const std::string cell =
      ToStdString(c_.grdFontMap.Cell(c_.grdFontMap.Col(), c_.grdFontMap.Row()));
  if (cell == "&") {
    c_.lblCurrChar.SetCaption("Current Character:  38  &&");
    c_.pnlCurrChar.SetCaption("&&");
    return;
  }
  c_.pnlCurrChar.SetCaption(cell);
  c_.lblCurrChar.SetCaption("Current Character:  " + std::to_string(code) + "  " + shown);
}

void FontMap::chkGridBoldClick() {
  c_.grdFontMap.SetBold(c_.chkGridBold.Checked());
  c_.pnlCurrChar.SetBold(c_.chkGridBold.Checked());
}

void FontMap::chkGridItalicClick() {
  c_.grdFontMap.SetItalic(c_.chkGridItalic.Checked());
  c_.pnlCurrChar.SetItalic(c_.chkGridItalic.Checked());
}

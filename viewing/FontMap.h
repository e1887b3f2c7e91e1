#pragma once

class CheckBox;
class FontList;
class Grid;
class Label;

struct FontMapControls {
  Label& lblGridHeading;
  Grid& grdFontMap;
  Label& lblCurrChar;
  Label& pnlCurrChar;
  CheckBox& chkGridBold;
  CheckBox& chkGridItalic;
};

// The Font Map page: characters 32 to 255 of the current font in a grid of 32 columns and 7
// rows, with the chosen character enlarged and its code.
class FontMap {
 public:
  static constexpr int kColumns = 32;
  static constexpr int kRows = 7;

  FontMap(const FontMapControls& controls, const FontList& fonts);

  // The character code of the cell in the given column and row.
  static constexpr int CodeAt(int column, int row) { return 32 + 32 * row + column; }

  // Fills the cells with the characters of the code page, or with a symbol face's own glyphs.
  void FillCells(bool symbol);
  void RefreshFontMap();
  void grdFontMapClick();
  void chkGridBoldClick();
  void chkGridItalicClick();

 private:
  FontMapControls c_;
  const FontList& fonts_;
  bool symbolCells_ = false;
};

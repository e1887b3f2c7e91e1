#pragma once

class FontList;
class IDrawingSurface;
class ListBox;
class Memo;
class PaintBox;
class QScrollArea;
class QWidget;
class SampleTexts;
class SpinEdit;

// The controls of the Show All Selected page, and the Main page's sample whose style it follows.
struct ShowAllControls {
  ListBox& lstFonts;
  SpinEdit& spnSelected;
  QScrollArea& ScrollBox1;
  QWidget& ScrollRange;
  PaintBox& pbxSelected;
  Memo& memDispFont;
};

// Line advances of the Show All Selected page, in pixels at the given dpi: a heading takes
// 10.5 points, a sample 1.3 times its size, each rounded half to even.
int HeadingStep(int dpi);
int SampleStep(int dpi, int points);

// Every selected font with a screen equivalent, drawn one after another: its name in the heading
// face, then the sample text in the font itself, kept to the band of its line.
class ShowAllSelected {
 public:
  ShowAllSelected(const ShowAllControls& controls, const FontList& fonts, const SampleTexts& texts);

  // Draws the selected screen fonts at the size and gives the height they take. Entries outside
  // the part of the surface that needs drawing are laid out but not drawn.
  int DrawSelectedFonts(IDrawingSurface& surface, int points);
  void pbxSelectedPaint(IDrawingSurface& surface);
  void spnSelectedChange();

  // The vertical scroll range of the view.
  int ScrollRange() const;

 private:
  // The spin edit's value while it lies in range; while the user types a value outside it, the
  // last valid one, so the view keeps its drawing.
  int SizeToDraw();
  void SetHeight(int height, int range);

  ShowAllControls c_;
  const FontList& fonts_;
  const SampleTexts& texts_;
  int lastValidSize_;
};

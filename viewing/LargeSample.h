#pragma once

class CheckBox;
class FontList;
class Label;
class Memo;
class SpinEdit;

struct LargeSampleControls {
  Label& lblLargeSample;
  CheckBox& chkLargeBold;
  CheckBox& chkLargeItalic;
  SpinEdit& spnLargeSample;
  Memo& memLargeSample;
};

// The Large Sample page: the current font at a size and style of the user's choosing.
class LargeSample {
 public:
  LargeSample(const LargeSampleControls& controls, const FontList& fonts);

  // Entering the page shows the current face at the chosen size; the style stays.
  void ShowCurrentFont();
  void spnLargeSampleChange();
  void chkLargeBoldClick();
  void chkLargeItalicClick();

 private:
  LargeSampleControls c_;
  const FontList& fonts_;
};

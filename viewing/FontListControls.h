#pragma once

class CheckBox;
class Edit;
class Label;
class ListBox;
class Memo;
class SpinEdit;

// The controls of the main window that the font list drives.
struct FontListControls {
  ListBox& lstFonts;
  Label& lblFonts;
  Label& lblSelected;
  Label& lblSample;
  Memo& memDispFont;
  Label& lblFontType;
  Label& lblStyles;
  SpinEdit& spnPointSize;
  CheckBox& chkSampleBold;
  CheckBox& chkSampleItalic;
  Edit& txtSample;     // its text is the sample text
  Label& pnlCurrChar;  // the Font Map's enlarged character, sized by the classification
};

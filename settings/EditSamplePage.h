#pragma once

#include <array>

class DesignScale;
class Edit;
class Label;
class Memo;
class QPushButton;
class QWidget;

// The controls of the Edit Sample Text page.
struct EditSamplePage {
  static constexpr int kSizeLineCount = 12;
  static constexpr std::array<int, kSizeLineCount> kSizes = {8,  9,  10, 11, 12, 14,
                                                             16, 18, 24, 36, 48, 60};

  EditSamplePage(QWidget* tab, const DesignScale& scale);

  // Label5 ... Label15 and txt8Pt ... txt60pt, one per point size of kSizes.
  std::array<Label*, kSizeLineCount> SizeLabels;
  std::array<Edit*, kSizeLineCount> SizeBoxes;
  Label* Label17;
  Edit* txtSample;
  Label* Label18;
  Edit* txtTitle;
  Label* Label23;
  Label* Label25;
  Memo* txtPara;
  Memo* Memo1;
  QPushButton* cmdSaveText;
};

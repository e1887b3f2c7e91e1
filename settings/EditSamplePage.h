#pragma once

#include <array>

class DesignScale;
class Edit;
class Memo;
class QPushButton;
class QWidget;

// The controls of the Edit Sample Text page.
struct EditSamplePage {
  static constexpr int kSizeLineCount = 12;
  static constexpr std::array<int, kSizeLineCount> kSizes = {8,  9,  10, 11, 12, 14,
                                                             16, 18, 24, 36, 48, 60};

  EditSamplePage(QWidget* tab, const DesignScale& scale);

  // txt8Pt ... txt60pt, one per point size of kSizes.
  std::array<Edit*, kSizeLineCount> SizeBoxes;
  Edit* txtSample;
  Edit* txtTitle;
  Memo* txtPara;
  QPushButton* cmdSaveText;
};

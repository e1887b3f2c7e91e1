#pragma once

#include "printing/SheetContext.h"

class CheckBox;
class SampleTexts;
class SpinEdit;

// The sheets' texts and options, read from the main window's controls when a sheet is drawn.
class MainWindowSheetTexts final : public ISheetTexts {
 public:
  MainWindowSheetTexts(SampleTexts& texts, CheckBox& chkBold, CheckBox& chkItalic,
                       SpinEdit& spnSampleSize);

  std::string HeadingFont() override;
  std::string SampleTitle() override;
  std::string SampleText() override;
  std::string ParagraphText() override;
  std::string SizeLine(int points) override;
  bool PrintBold() override;
  bool PrintItalic() override;
  int SampleSize() override;

 private:
  SampleTexts& texts_;
  CheckBox& chkBold_;
  CheckBox& chkItalic_;
  SpinEdit& spnSampleSize_;
};

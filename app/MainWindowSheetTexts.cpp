#include "app/MainWindowSheetTexts.h"

#include "settings/SampleTexts.h"
#include "widgets/CheckBox.h"
#include "widgets/SpinEdit.h"

MainWindowSheetTexts::MainWindowSheetTexts(SampleTexts& texts, CheckBox& chkBold,
                                           CheckBox& chkItalic, SpinEdit& spnSampleSize)
    : texts_(texts), chkBold_(chkBold), chkItalic_(chkItalic), spnSampleSize_(spnSampleSize) {}

std::string MainWindowSheetTexts::HeadingFont() {
  return texts_.HeadingFont();
}
std::string MainWindowSheetTexts::SampleTitle() {
  return texts_.SampleTitle();
}
std::string MainWindowSheetTexts::SampleText() {
  return texts_.SampleText();
}
std::string MainWindowSheetTexts::ParagraphText() {
  return texts_.ParagraphText();
}
std::string MainWindowSheetTexts::SizeLine(int points) {
  return texts_.SizeLine(points);
}
bool MainWindowSheetTexts::PrintBold() {
  return chkBold_.Checked();
}
bool MainWindowSheetTexts::PrintItalic() {
  return chkItalic_.Checked();
}
int MainWindowSheetTexts::SampleSize() {
  return spnSampleSize_.Value();
}

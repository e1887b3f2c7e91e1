#include "viewing/FontList.h"

#include "platform/PlatformError.h"
#include "platform/fonts/IFontServices.h"
#include "platform/printers/IPrinter.h"
#include "viewing/FontListTexts.h"
#include "viewing/FontStylesSummary.h"
#include "widgets/CheckBox.h"
#include "widgets/Edit.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/SpinEdit.h"

FontList::FontList(const FontListControls& controls, IPrinter& printer, IFontServices& fonts)
    : c_(controls), printer_(printer), fonts_(fonts) {}

void FontList::FillFontList() {
  c_.lstFonts.Clear();
  c_.lstFonts.SetSorted(true);
  // The count follows the list even when the printer fails, so that no later loop walks
  // entries that are gone.
  fontCount_ = 0;
  listedOnScreen_.clear();
  c_.lblFonts.SetCaption("Fonts: 0");
  c_.lstFonts.AddAll(printer_.Fonts());
  fontCount_ = c_.lstFonts.Count();
  MarkListedScreenFonts();
  c_.lblFonts.SetCaption("Fonts: " + std::to_string(fontCount_));
  if (fontCount_ == 0) throw PlatformError(kNoFontsText);
  c_.lstFonts.SetSelected(0, true);
}

void FontList::RecountFonts() {
  fontCount_ = c_.lstFonts.Count();
  c_.lblFonts.SetCaption("Fonts: " + std::to_string(fontCount_));
  c_.lblFonts.repaint();
}

void FontList::BuildScreenFontSet() {
  screenFontSet_.AddAll(fonts_.ScreenFontNames());
  MarkListedScreenFonts();
}

void FontList::MarkListedScreenFonts() {
  listedOnScreen_.assign(static_cast<std::size_t>(c_.lstFonts.Count()), false);
  // At start the list is filled before the screen's fonts are known: nothing to look up.
  if (screenFontSet_.Count() == 0) return;
  for (int i = 0; i < c_.lstFonts.Count(); ++i) {
    listedOnScreen_[static_cast<std::size_t>(i)] = IsScreenFont(c_.lstFonts.Text(i));
  }
}

void FontList::AddListedFontsToScreenFontSet() {
  ScreenFontSet onScreen;
  onScreen.AddAll(fonts_.ScreenFontNames());
  for (int i = 0; i < c_.lstFonts.Count(); ++i) {
    const std::string& name = c_.lstFonts.Text(i);
    if (!IsScreenFont(name) && onScreen.Contains(name)) screenFontSet_.Add(name);
  }
  MarkListedScreenFonts();
}

bool FontList::IsScreenFont(const std::string& name) const {
  return screenFontSet_.Contains(name);
}

void FontList::lstFontsClick() {
  if (c_.lstFonts.Count() == 0) {
    ShowNoFonts();
    return;
  }
  currentFontName_ = c_.lstFonts.Text(c_.lstFonts.ItemIndex());
  noScreenFont_ = !IsScreenFont(currentFontName_);
  ShowSample();
  c_.lblSample.SetCaption("Sample: " + currentFontName_);
  ShowSelectedCount(c_.lstFonts.SelCount());
  ShowStylesAndType();
}

void FontList::ShowSample() {
  if (noScreenFont_) {
    c_.memDispFont.SetFontName(kSystemFace);
    c_.memDispFont.SetText(kNoScreenFontText);
  } else {
    c_.memDispFont.SetFontName(currentFontName_);
    c_.memDispFont.SetText(kSampleAlphabet + c_.txtSample.Text());
  }
}

// Without any font there is no current font: the sample says so and the pages that need a screen
// font stay refused.
void FontList::ShowNoFonts() {
  currentFontName_.clear();
  noScreenFont_ = true;
  c_.memDispFont.SetFontName(kSystemFace);
  c_.memDispFont.SetText(kNoFontsText);
  c_.lblSample.SetCaption("Sample: ");
  ShowSelectedCount(0);
  c_.lblStyles.SetCaption("");
  fontType_.clear();
  c_.lblFontType.SetCaption("Font Type: ");
}

void FontList::ShowStylesAndType() {
  const FontStylesSummary summary = SummariseFontStyles(fonts_.EnumFontFamilies(currentFontName_));
  c_.lblStyles.SetCaption(summary.StylesCaption);
  if (summary.CharPanelPoints) {
    c_.pnlCurrChar.SetFontPoints(*summary.CharPanelPoints);
    symbol_ = *summary.CharPanelPoints == kSymbolPanelPoints;
  }
  if (noScreenFont_) {
    fontType_ = "Printer Resident";
  } else {
    // A kind left over from the previous font would be wrong for this one.
    fontType_ = summary.FontType.value_or("Unknown");
  }
  c_.lblFontType.SetCaption("Font Type: " + fontType_);
}

void FontList::ShowSelectedCount(int count) {
  selectedCount_ = count;
  c_.lblSelected.SetCaption("Selected: " + std::to_string(selectedCount_));
}

void FontList::chkSampleBoldClick() {
  c_.memDispFont.SetBold(c_.chkSampleBold.Checked());
}

void FontList::chkSampleItalicClick() {
  c_.memDispFont.SetItalic(c_.chkSampleItalic.Checked());
}

void FontList::spnPointSizeChange() {
  if (c_.spnPointSize.InRange()) c_.memDispFont.SetFontPoints(c_.spnPointSize.Value());
}

void FontList::cmdSelectAllClick() {
  // One change selects the whole range, so the list is drawn once. The list is not hidden
  // meanwhile: hiding the focused list would hand the focus on to the next control.
  if (fontCount_ > 0) c_.lstFonts.SelectRange(0, fontCount_ - 1);
  ShowSelectedCount(fontCount_);
}

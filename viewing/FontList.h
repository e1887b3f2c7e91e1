#pragma once

#include <string>
#include <vector>

#include "viewing/FontListControls.h"
#include "viewing/ScreenFontSet.h"

class IFontServices;
class IPrinter;

// The installed-font list of the Main page: its counters, the current font, the screen font set,
// the main sample with its size and style, and the classification of the current font.
class FontList {
 public:
  FontList(const FontListControls& controls, IPrinter& printer, IFontServices& fonts);

  // Refills the list from the printer's fonts and selects the first entry.
  void FillFontList();
  // Copies the screen's face names into the screen font set.
  void BuildScreenFontSet();
  // Adds the listed fonts that the screen now has too (fonts just installed); a family that only
  // a printer holds stays out, so it is still shown as printer resident.
  void AddListedFontsToScreenFontSet();
  // Counts the list's entries again after fonts were installed, without refilling it.
  void RecountFonts();
  bool IsScreenFont(const std::string& name) const;
  // IsScreenFont for the list's entry i, kept from the last fill so that views walking every
  // entry pay nothing for it.
  bool IsScreenFontAt(int index) const { return listedOnScreen_[static_cast<std::size_t>(index)]; }

  void lstFontsClick();
  void chkSampleBoldClick();
  void chkSampleItalicClick();
  void spnPointSizeChange();
  void cmdSelectAllClick();

  const std::string& CurrentFontName() const { return currentFontName_; }
  bool NoScreenFont() const { return noScreenFont_; }
  const std::string& FontType() const { return fontType_; }
  // Whether the current font's faces use the symbol character set.
  bool CurrentIsSymbol() const { return symbol_; }
  int FontCount() const { return fontCount_; }
  int SelectedCount() const { return selectedCount_; }
  const ScreenFontSet& ScreenFonts() const { return screenFontSet_; }

 private:
  void ShowSample();
  void ShowNoFonts();
  void ShowStylesAndType();
  void ShowSelectedCount(int count);
  void MarkListedScreenFonts();

  FontListControls c_;
  IPrinter& printer_;
  IFontServices& fonts_;
  ScreenFontSet screenFontSet_;
  std::string currentFontName_;
  bool noScreenFont_ = false;
  bool symbol_ = false;
  std::string fontType_;
  int fontCount_ = 0;
  int selectedCount_ = 0;
  std::vector<bool> listedOnScreen_;
};

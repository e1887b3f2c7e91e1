#pragma once

// The pages of the main window, in tab order.
enum class Page { Main, LargeSample, FontMap, ShowAll, Edit, Install };
inline constexpr int kPageCount = 6;

// What the main window does after the user has changed its page.
enum class PageAction {
  RefuseAndReturnToMain,  // the page needs a screen font and the current font has none
  FocusFontList,
  ShowLargeSample,
  RefreshFontMap,
  ScrollShowAllToTop,
  Nothing
};

inline constexpr const char* kNoScreenFontMessage =
    "The currently selected font does not have an equivalent screen font,\r\nso the large sample "
    "and font map are not available.";

PageAction PageActionFor(Page page, bool noScreenFont);

// The page Ctrl+Tab (forward) or Ctrl+Shift+Tab reaches from the given one; both wrap around.
Page NextPage(Page page, bool forward);

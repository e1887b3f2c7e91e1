#include "app/PageRules.h"

PageAction PageActionFor(Page page, bool noScreenFont) {
  if ((page == Page::FontMap || page == Page::LargeSample) && noScreenFont) {
    return PageAction::RefuseAndReturnToMain;
  }
  switch (page) {
    case Page::Main:
      return PageAction::FocusFontList;
    case Page::LargeSample:
      return PageAction::ShowLargeSample;
    case Page::FontMap:
      return PageAction::RefreshFontMap;
    case Page::ShowAll:
      return PageAction::ScrollShowAllToTop;
    case Page::Edit:
    case Page::Install:
      return PageAction::Nothing;
  }
  return PageAction::Nothing;
}

Page NextPage(Page page, bool forward) {
  const int step = forward ? 1 : kPageCount - 1;
  return static_cast<Page>((static_cast<int>(page) + step) % kPageCount);
}

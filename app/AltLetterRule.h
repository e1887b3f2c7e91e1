#pragma once

#include <cstddef>
#include <vector>

#include "app/PageRules.h"

// What holds an underlined letter in the main window.
enum class LetterOwnerKind { Button, CheckBox, Label, PageTab };

// One underlined letter: a control shown on its page, or the tab of a page.
struct LetterOwner {
  char letter;  // upper case
  LetterOwnerKind kind;
  Page page;  // the page a control is on, or the page a tab shows
  bool enabled = true;
};

enum class LetterOutcome {
  Reach,    // the letter reaches the chosen owner
  Nothing,  // the letter belongs to the shown page's controls, and none of them is enabled
  PassOn    // the letter is not the pages' (the menu bar's, say)
};

struct LetterChoice {
  LetterOutcome outcome;
  std::size_t owner = 0;  // with Reach: the index of the owner reached
};

// What Alt and a letter reach while the given page is shown. The controls of the shown page
// come first, in their order, the first enabled one taking the letter; a page's tab takes it only
// when no control of the shown page shows it, so that a tab never takes a letter from a button
// or check box in view.
LetterChoice ChooseLetterOwner(const std::vector<LetterOwner>& owners, char letter, Page shown);

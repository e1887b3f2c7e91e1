#include "app/AltLetterRule.h"

LetterChoice ChooseLetterOwner(const std::vector<LetterOwner>& owners, char letter, Page shown) {
  bool shownControlHasIt = false;
  for (std::size_t i = 0; i < owners.size(); ++i) {
    const LetterOwner& owner = owners[i];
    if (owner.kind == LetterOwnerKind::PageTab || owner.page != shown || owner.letter != letter) {
      continue;
    }
    if (owner.enabled) return {LetterOutcome::Reach, i};
    shownControlHasIt = true;
  }
  // A disabled control keeps its letter: the key must not turn the page away from it.
  if (shownControlHasIt) return {LetterOutcome::Nothing};
  for (std::size_t i = 0; i < owners.size(); ++i) {
    const LetterOwner& owner = owners[i];
    if (owner.kind == LetterOwnerKind::PageTab && owner.letter == letter && owner.enabled) {
      return {LetterOutcome::Reach, i};
    }
  }
  return {LetterOutcome::PassOn};
}

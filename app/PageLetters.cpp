#include "app/PageLetters.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <vector>

#include "app/AltLetterRule.h"
#include "widgets/MnemonicText.h"

namespace {

// The letter of Alt and one letter or digit key, or '\0' for any other keys.
char AltLetter(const QKeySequence& keys) {
  if (keys.count() != 1 || keys[0].keyboardModifiers() != Qt::AltModifier) return '\0';
  const int key = keys[0].key();
  const bool letterOrDigit =
      (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
  return letterOrDigit ? static_cast<char>(key) : '\0';
}

char LetterOf(const QString& caption) {
  return MnemonicLetter(caption.toStdString());
}

struct PageOwners {
  std::vector<LetterOwner> owners;
  std::vector<QWidget*> widgets;  // the control of each owner; none for a tab

  void Add(char letter, LetterOwnerKind kind, Page page, QWidget* widget, bool enabled) {
    if (letter == '\0') return;
    owners.push_back({letter, kind, page, enabled});
    widgets.push_back(widget);
  }
};

// The controls shown on a page, in the order they were made, then the tabs.
PageOwners OwnersOf(QTabWidget& pages) {
  PageOwners found;
  for (int i = 0; i < pages.count(); ++i) {
    QWidget* tab = pages.widget(i);
    const auto page = static_cast<Page>(i);
    for (QWidget* widget : tab->findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(tab)) continue;
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const auto kind = qobject_cast<QCheckBox*>(button) != nullptr ? LetterOwnerKind::CheckBox
                                                                      : LetterOwnerKind::Button;
        found.Add(LetterOf(button->text()), kind, page, button, button->isEnabled());
      } else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
        found.Add(LetterOf(label->text()), LetterOwnerKind::Label, page, label,
                  label->buddy()->isEnabled());
      }
    }
  }
  const QTabBar& bar = *pages.tabBar();
  for (int i = 0; i < pages.count(); ++i) {
    found.Add(LetterOf(bar.tabText(i)), LetterOwnerKind::PageTab, static_cast<Page>(i), nullptr,
              bar.isTabEnabled(i) && bar.isTabVisible(i));
  }
  return found;
}

}  // namespace

bool AnswerPageLetter(QTabWidget& pages, const QKeySequence& keys) {
  const char letter = AltLetter(keys);
  if (letter == '\0') return false;
  const PageOwners found = OwnersOf(pages);
  const LetterChoice choice =
      ChooseLetterOwner(found.owners, letter, static_cast<Page>(pages.currentIndex()));
  if (choice.outcome == LetterOutcome::PassOn) return false;
  if (choice.outcome == LetterOutcome::Nothing) return true;
  const LetterOwner& owner = found.owners[choice.owner];
  QWidget* widget = found.widgets[choice.owner];
  switch (owner.kind) {
    case LetterOwnerKind::Button:
    case LetterOwnerKind::CheckBox:
      static_cast<QAbstractButton*>(widget)->click();
      break;
    case LetterOwnerKind::Label:
      static_cast<QLabel*>(widget)->buddy()->setFocus(Qt::ShortcutFocusReason);
      break;
    case LetterOwnerKind::PageTab:
      pages.setCurrentIndex(static_cast<int>(owner.page));
      break;
  }
  return true;
}

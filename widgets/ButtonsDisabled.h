#pragma once

#include <QPushButton>
#include <initializer_list>
#include <utility>
#include <vector>

// Disables buttons for as long as it lives, then gives each its earlier state back, also when
// an error ends the work in between: a long run keeps what would start another run or move its
// input out of reach.
class ButtonsDisabled {
 public:
  explicit ButtonsDisabled(std::initializer_list<QPushButton*> buttons)
      : ButtonsDisabled(std::vector<QPushButton*>(buttons)) {}
  explicit ButtonsDisabled(const std::vector<QPushButton*>& buttons) {
    for (QPushButton* button : buttons) {
      saved_.emplace_back(button, button->isEnabled());
      button->setEnabled(false);
    }
  }
  ~ButtonsDisabled() {
    for (const auto& [button, enabled] : saved_) button->setEnabled(enabled);
  }
  ButtonsDisabled(const ButtonsDisabled&) = delete;
  ButtonsDisabled& operator=(const ButtonsDisabled&) = delete;

 private:
  std::vector<std::pair<QPushButton*, bool>> saved_;
};

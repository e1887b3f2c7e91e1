#pragma once

#include <string>
#include <vector>

#include "platform/desktop/IMessageBoxes.h"

// Records every box instead of showing it; confirmations get the prepared answer.
class FakeMessageBoxes final : public IMessageBoxes {
 public:
  struct Shown {
    MessageKind Kind;
    std::string Title;
    std::string Text;
  };

  void Show(MessageKind kind, const std::string& title, const std::string& text) override {
    shown.push_back({kind, title, text});
  }
  bool Confirm(const std::string& title, const std::string& text) override {
    confirmations.push_back({MessageKind::Information, title, text});
    return answerYes;
  }

  std::vector<Shown> shown;
  std::vector<Shown> confirmations;
  bool answerYes = true;
};

#pragma once

#include "platform/desktop/IMessageBoxes.h"

// Message boxes of the window system, modal to the window they belong to (see OwnerWindow).
class QtMessageBoxes final : public IMessageBoxes {
 public:
  QtMessageBoxes() = default;
  void Show(MessageKind kind, const std::string& title, const std::string& text) override;
  bool Confirm(const std::string& title, const std::string& text) override;
};

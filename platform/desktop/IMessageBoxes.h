#pragma once

#include <string>

enum class MessageKind { Error, Warning, Information };

// Message boxes with one OK button, and the Yes/No confirmation. A "\r" in a text is a line break.
class IMessageBoxes {
 public:
  virtual ~IMessageBoxes() = default;
  virtual void Show(MessageKind kind, const std::string& title, const std::string& text) = 0;
  // True when the user answered Yes.
  virtual bool Confirm(const std::string& title, const std::string& text) = 0;
};

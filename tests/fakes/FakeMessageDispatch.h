#pragma once

#include <functional>

#include "platform/desktop/IMessageDispatch.h"

// Runs what a test wants to happen "while messages are dispatched" (a click on Cancel, say).
class FakeMessageDispatch final : public IMessageDispatch {
 public:
  void ProcessMessages() override {
    ++calls;
    if (onDispatch) onDispatch();
  }
  int calls = 0;
  std::function<void()> onDispatch;
};

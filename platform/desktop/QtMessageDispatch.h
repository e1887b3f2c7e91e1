#pragma once

#include "platform/desktop/IMessageDispatch.h"

class QtMessageDispatch final : public IMessageDispatch {
 public:
  QtMessageDispatch() = default;
  void ProcessMessages() override;
};

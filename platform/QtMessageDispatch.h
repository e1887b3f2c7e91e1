#pragma once

#include "platform/IMessageDispatch.h"

class QtMessageDispatch final : public IMessageDispatch {
 public:
  QtMessageDispatch() = default;
  void ProcessMessages() override;
};

#pragma once

#include "platform/IApplicationInfo.h"

// The running program as the kernel knows it.
class ProcApplicationInfo final : public IApplicationInfo {
 public:
  ProcApplicationInfo() = default;
  std::string ProgramFile() override;
};

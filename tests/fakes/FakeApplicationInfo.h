#pragma once

#include <string>

#include "platform/IApplicationInfo.h"

class FakeApplicationInfo final : public IApplicationInfo {
 public:
  explicit FakeApplicationInfo(std::string programFile) : programFile_(std::move(programFile)) {}
  std::string ProgramFile() override { return programFile_; }

 private:
  std::string programFile_;
};

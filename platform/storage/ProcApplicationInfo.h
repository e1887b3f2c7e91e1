#pragma once

#include "platform/storage/IApplicationInfo.h"

// The running program as the kernel knows it, and its files as its folder says (see
// ProgramFolder).
class ProcApplicationInfo final : public IApplicationInfo {
 public:
  ProcApplicationInfo() = default;
  std::string ProgramFile() override;
  std::string SettingsFile(const std::string& name) override;
  std::string DataFile(const std::string& name) override;

 private:
  std::string ProgramDir();
};

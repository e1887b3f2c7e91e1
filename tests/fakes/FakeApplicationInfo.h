#pragma once

#include <string>

#include "platform/storage/IApplicationInfo.h"
#include "platform/storage/ProgramFolder.h"

// A program whose files all lie beside it, as in a copy run from its build folder, unless a test
// gives its settings another folder.
class FakeApplicationInfo final : public IApplicationInfo {
 public:
  explicit FakeApplicationInfo(std::string programFile) : programFile_(std::move(programFile)) {}
  std::string ProgramFile() override { return programFile_; }
  std::string SettingsFile(const std::string& name) override {
    return (settingsFolder.empty() ? Dir() : settingsFolder + "/") + name;
  }
  std::string DataFile(const std::string& name) override { return Dir() + name; }

  std::string settingsFolder;

 private:
  std::string Dir() const { return ProgramFolder::DirOf(programFile_); }
  std::string programFile_;
};

#include "platform/storage/ProgramFolder.h"

#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace ProgramFolder {

namespace {

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

}  // namespace

std::string DirOf(const std::string& programFile) {
  const std::size_t slash = programFile.rfind('/');
  if (slash == std::string::npos) return "/";
  return programFile.substr(0, slash + 1);
}

Facts Inspect(const std::string& programDir, const std::string& settingsName) {
  const std::string settings = programDir + settingsName;
  return {Exists(settings) && access(settings.c_str(), W_OK) == 0,
          Exists(programDir + "CMakeCache.txt"), access(programDir.c_str(), W_OK | X_OK) == 0};
}

std::string SettingsFile(const std::string& programDir, const std::string& settingsName,
                         const Facts& facts, const std::string& configFolder) {
  if (facts.HoldsWritableSettings || (facts.IsBuildFolder && facts.Writable)) {
    return programDir + settingsName;
  }
  return configFolder + "/" + settingsName;
}

std::string DataFile(const std::string& programDir, const std::string& name,
                     const std::string& dataFromBin) {
  const std::string beside = programDir + name;
  if (Exists(beside) || dataFromBin.empty()) return beside;
  const fs::path installed = (fs::path(programDir) / dataFromBin / name).lexically_normal();
  return Exists(installed) ? installed.string() : beside;
}

}  // namespace ProgramFolder

#pragma once

#include <string>

// Facts about the running program: its file (from /proc/self/exe), where it keeps its settings
// (its folder or the XDG config folder) and where it finds the files it was installed with.
class IApplicationInfo {
 public:
  virtual ~IApplicationInfo() = default;
  // Full path of the program file.
  virtual std::string ProgramFile() = 0;
  // Where the program keeps the settings file of this name.
  virtual std::string SettingsFile(const std::string& name) = 0;
  // Where the file of this name that the program was installed with (its help) is.
  virtual std::string DataFile(const std::string& name) = 0;
};

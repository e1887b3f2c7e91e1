#pragma once

#include <string>

// Facts about the running program that the system supplies.
class IApplicationInfo {
 public:
  virtual ~IApplicationInfo() = default;
  // Full path of the program file.
  virtual std::string ProgramFile() = 0;
};

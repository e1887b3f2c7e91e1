#pragma once

#include <string>

// The help engine. A help file that cannot be shown is reported by the engine itself.
class IHelp {
 public:
  virtual ~IHelp() = default;
  virtual void ShowContents(const std::string& helpFile) = 0;
};

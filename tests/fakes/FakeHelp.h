#pragma once

#include <string>
#include <vector>

#include "platform/desktop/IHelp.h"

class FakeHelp final : public IHelp {
 public:
  void ShowContents(const std::string& helpFile) override { shownFiles.push_back(helpFile); }
  std::vector<std::string> shownFiles;
};

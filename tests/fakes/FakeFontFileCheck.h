#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/fonts/IFontFileCheck.h"

// Every file opens as a font except those named in broken; records each question.
class FakeFontFileCheck final : public IFontFileCheck {
 public:
  bool OpensAsFont(const std::string& path, int faceIndex) override {
    checked.emplace_back(path, faceIndex);
    return !broken.contains(path);
  }

  std::vector<std::pair<std::string, int>> checked;
  std::set<std::string> broken;
};

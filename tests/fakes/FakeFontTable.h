#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/fonts/IFontTable.h"

// Counts what is added and removed, and every broadcast in between.
class FakeFontTable final : public IFontTable {
 public:
  void AddFontResource(const std::string& path) override {
    ++counts[path];
    log.push_back("add " + path);
  }
  void RemoveFontResource(const std::string& path) override {
    if (counts[path] > 0 && --counts[path] == 0) counts.erase(path);
    log.push_back("remove " + path);
  }
  void BroadcastFontChange() override { log.push_back("broadcast"); }

  // The paths still added, with how often.
  std::map<std::string, int> counts;
  std::vector<std::string> log;
};

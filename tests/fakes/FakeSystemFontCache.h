#pragma once

#include <string>
#include <vector>

#include "platform/fonts/ISystemFontCache.h"

// Records the folders whose cache was refreshed.
class FakeSystemFontCache final : public ISystemFontCache {
 public:
  void Refresh(const std::string& folder) override { refreshed.push_back(folder); }
  std::vector<std::string> refreshed;
};

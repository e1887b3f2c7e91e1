#pragma once

#include <string>

#include "platform/fonts/ISystemFontCache.h"

// fontconfig's cache file of a font folder, rewritten from the folder's files.
class FontconfigCache final : public ISystemFontCache {
 public:
  void Refresh(const std::string& folder) override;
};

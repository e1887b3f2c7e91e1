#pragma once

#include <string>
#include <vector>

#include "platform/fonts/FontStyleRecord.h"

// The installed fonts as fontconfig lists them: which families exist and what faces each has.
class IFontServices {
 public:
  virtual ~IFontServices() = default;

  // The screen's font list: "Default" first, then every family, sorted, names that differ only
  // in letter case given once.
  virtual std::vector<std::string> ScreenFontNames() = 0;

  // One name per installed typeface in enumeration order, unsorted, duplicates kept.
  virtual std::vector<std::string> InstalledFamilies() = 0;

  // Every face of the family, in a stable natural order (weight, then slant, then width).
  // A family fontconfig does not list gives no record.
  virtual std::vector<FontStyleRecord> EnumFontFamilies(const std::string& family) = 0;
};

#include "platform/ConfiguredFamilies.h"

#include <fontconfig/fontconfig.h>

#include <memory>

std::vector<std::string> ConfiguredFamilies(const std::string& name) {
  const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(),
                                                                        &FcPatternDestroy);
  if (!pattern ||
      !FcPatternAddString(pattern.get(), FC_FAMILY,
                          reinterpret_cast<const FcChar8*>(name.c_str())) ||
      !FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) {
    return {};
  }
  FcDefaultSubstitute(pattern.get());
  std::vector<std::string> families;
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(pattern.get(), FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    families.emplace_back(reinterpret_cast<const char*>(family));
  }
  return families;
}

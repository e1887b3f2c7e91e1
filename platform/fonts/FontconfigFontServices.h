#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/fonts/IFontServices.h"

class SymbolCharmap;

// The font services of a Linux desktop: the families and faces come from fontconfig's current
// configuration, read afresh on every call so that fonts added while the program runs are seen.
// A family here is a legacy family, of at most four styles: the typographic family alone would
// hide faces such as "DejaVu Sans Condensed". FreeType opens a face only to tell whether its
// character map is a symbol one.
class FontconfigFontServices final : public IFontServices {
 public:
  explicit FontconfigFontServices();
  ~FontconfigFontServices() override;
  FontconfigFontServices(const FontconfigFontServices&) = delete;
  FontconfigFontServices& operator=(const FontconfigFontServices&) = delete;

  std::vector<std::string> ScreenFontNames() override;
  std::vector<std::string> InstalledFamilies() override;
  std::vector<FontStyleRecord> EnumFontFamilies(const std::string& family) override;

 private:
  std::unique_ptr<SymbolCharmap> symbol_;
};

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/IFontServices.h"

// The font services of a Linux desktop: the families and faces come from fontconfig's current
// configuration, read afresh on every call so that fonts added while the program runs are seen;
// FreeType opens a face only to tell whether its character map is a symbol one.
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
  // Owns the FreeType library, kept for the object's life so faces are opened cheaply.
  class FreeType;
  std::unique_ptr<FreeType> freetype_;
};

#pragma once

#include <cstddef>
#include <memory>

class FreeTypeLibrary;
#include <string>

#include "platform/fonts/IFontFileCheck.h"

// Opens the face with FreeType, the library fontconfig lists fonts with. The file is read into
// memory once, up to kMaxFileBytes, and opened from there: a file that changes while it is looked
// at cannot move FreeType's reads past its end, and a huge file is refused rather than read.
class FreeTypeFontFileCheck final : public IFontFileCheck {
 public:
  // Well above the largest font collections in use.
  static constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

  FreeTypeFontFileCheck();
  ~FreeTypeFontFileCheck() override;
  FreeTypeFontFileCheck(const FreeTypeFontFileCheck&) = delete;
  FreeTypeFontFileCheck& operator=(const FreeTypeFontFileCheck&) = delete;

  bool OpensAsFont(const std::string& path, int faceIndex) override;

 private:
  std::unique_ptr<FreeTypeLibrary> library_;
};

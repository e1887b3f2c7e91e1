#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/fonts/IFontFileCheck.h"
#include "platform/fonts/LastFontFile.h"

class FreeTypeLibrary;

// Opens the face with FreeType, the library fontconfig lists fonts with. The file is read into
// memory once, up to kMaxFileBytes, and opened from there: a file that changes while it is looked
// at cannot move FreeType's reads past its end, and a huge file is refused rather than read. The
// file read last is kept, with its collection header's listing, for the next face asked of it:
// the faces of one file are asked one after another.
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
  LastFontFile file_{kMaxFileBytes, false};
};

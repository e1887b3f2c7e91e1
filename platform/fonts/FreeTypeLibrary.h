#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

// A FreeType library for its owner's life, so that faces are opened cheaply. Null when FreeType
// could not start; callers then treat every face as one that does not open.
class FreeTypeLibrary {
 public:
  FreeTypeLibrary() {
    if (FT_Init_FreeType(&handle_) != 0) handle_ = nullptr;
  }
  ~FreeTypeLibrary() {
    if (handle_ != nullptr) FT_Done_FreeType(handle_);
  }
  FreeTypeLibrary(const FreeTypeLibrary&) = delete;
  FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

  FT_Library Handle() const { return handle_; }

 private:
  FT_Library handle_ = nullptr;
};

#pragma once

#include <QRect>

// The program's windows are laid out in pixels of a 120 pixels-per-inch screen; on another screen
// every position and size is scaled in proportion to its logical dpi.
class DesignScale {
 public:
  static constexpr int kDesignDpi = 120;

  explicit DesignScale(int screenDpi) : dpi_(screenDpi > 0 ? screenDpi : kDesignDpi) {}

  int operator()(int designPixels) const {
    // Rounded to the nearest pixel, halves away from zero, as the window system scales.
    const long long scaled = static_cast<long long>(designPixels) * dpi_;
    return static_cast<int>(scaled >= 0 ? (scaled + kDesignDpi / 2) / kDesignDpi
                                        : (scaled - kDesignDpi / 2) / kDesignDpi);
  }
  QRect Rect(int left, int top, int width, int height) const {
    return {(*this)(left), (*this)(top), (*this)(width), (*this)(height)};
  }
  int Dpi() const { return dpi_; }

 private:
  int dpi_;
};

#pragma once

#include "platform/desktop/IScreen.h"

// The hourglass for as long as a long operation on lists runs, and the normal cursor after it,
// also when the operation ends with an error.
class BusyCursor {
 public:
  explicit BusyCursor(IScreen& screen) : screen_(screen) {
    screen_.SetCursor(CursorShape::Hourglass);
  }
  ~BusyCursor() { screen_.SetCursor(CursorShape::Default); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  IScreen& screen_;
};

#pragma once

#include <vector>

#include "platform/IScreen.h"

class FakeScreen final : public IScreen {
 public:
  int Width() override { return width; }
  int LogicalDpi() override { return dpi; }
  void SetCursor(CursorShape shape) override { cursors.push_back(shape); }

  int width = 1024;
  int dpi = 96;
  std::vector<CursorShape> cursors;
};

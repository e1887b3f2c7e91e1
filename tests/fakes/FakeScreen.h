#pragma once

#include <QWidget>
#include <vector>

#include "platform/desktop/IScreen.h"

class FakeScreen final : public IScreen {
 public:
  int Width() override { return width; }
  int LogicalDpi() override { return dpi; }
  void SetCursor(CursorShape shape) override { cursors.push_back(shape); }
  // A screen whose pixels are the toolkit's.
  void PlaceWindow(QWidget& window, int left, int top) override { window.move(left, top); }

  int width = 1024;
  int dpi = 96;
  std::vector<CursorShape> cursors;
};

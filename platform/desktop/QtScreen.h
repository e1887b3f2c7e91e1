#pragma once

#include "platform/desktop/IScreen.h"

// The primary screen as Qt reports it.
class QtScreen final : public IScreen {
 public:
  QtScreen() = default;
  int Width() override;
  int LogicalDpi() override;
  void SetCursor(CursorShape shape) override;
  void PlaceWindow(QWidget& window, int left, int top) override;

 private:
  bool overridden_ = false;
};

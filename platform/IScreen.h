#pragma once

enum class CursorShape { Default, Hourglass };

// The screen the main window is on.
class IScreen {
 public:
  virtual ~IScreen() = default;
  virtual int Width() = 0;
  virtual int LogicalDpi() = 0;
  virtual void SetCursor(CursorShape shape) = 0;
};

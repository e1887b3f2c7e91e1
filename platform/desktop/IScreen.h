#pragma once

class QWidget;

enum class CursorShape { Default, Hourglass };

// The screen the main window is on.
class IScreen {
 public:
  virtual ~IScreen() = default;
  // In the screen's own pixels, which a scale factor makes smaller than the toolkit's.
  virtual int Width() = 0;
  virtual int LogicalDpi() = 0;
  virtual void SetCursor(CursorShape shape) = 0;
  // Puts a window's top-left corner at a point given in the screen's own pixels. A hidden window
  // goes to the nearest place the toolkit's pixels can name; placed again as it is shown, it
  // goes exactly there where the window system allows.
  virtual void PlaceWindow(QWidget& window, int left, int top) = 0;
};

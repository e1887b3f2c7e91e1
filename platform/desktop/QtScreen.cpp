#include "platform/desktop/QtScreen.h"

#include <xcb/xcb.h>

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cmath>
#include <cstdint>

int QtScreen::Width() {
  // In the screen's own pixels: a scale factor makes the toolkit's pixels larger than those.
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? static_cast<int>(std::lround(screen->geometry().width() *
                                                          screen->devicePixelRatio()))
                           : 0;
}

int QtScreen::LogicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

void QtScreen::SetCursor(CursorShape shape) {
  // One override at a time, so that Default always brings back the normal cursor.
  if (overridden_) QGuiApplication::restoreOverrideCursor();
  overridden_ = shape == CursorShape::Hourglass;
  if (overridden_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtScreen::PlaceWindow(QWidget& window, int left, int top) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal ratio = screen != nullptr ? screen->devicePixelRatio() : 1.0;
  // The toolkit places a window in its own pixels, each `ratio` of the screen's: a point
  // between two of them (87 at 1.25 is 69.6) comes out a pixel away.
  window.move(qRound(left / ratio), qRound(top / ratio));
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (ratio == 1.0 || x11 == nullptr || !window.isVisible()) return;
  // X11 takes the place in the screen's pixels as it is, and the toolkit reads it back. It is
  // set once the window is up, as the toolkit places a window it shows where its own pixels say.
  QTimer::singleShot(0, &window, [&window, x11, left, top] {
    const std::array<std::uint32_t, 2> place = {static_cast<std::uint32_t>(left),
                                                static_cast<std::uint32_t>(top)};
    xcb_configure_window(x11->connection(), static_cast<xcb_window_t>(window.winId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place.data());
    xcb_flush(x11->connection());
  });
}

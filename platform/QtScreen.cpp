#include "platform/QtScreen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

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

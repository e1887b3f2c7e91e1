#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Places a window in the middle of the primary screen, where the program's small windows belong,
// rather than where Qt puts a dialog: over the middle of its parent. A window once moved keeps
// its place when it is shown again.
inline void CentreOnScreen(QWidget& window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->geometry().center() - window.rect().center());
  }
}

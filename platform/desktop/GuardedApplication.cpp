#include "platform/desktop/GuardedApplication.h"

#include <cstdio>
#include <exception>

#include "platform/desktop/ApplicationErrorHandler.h"

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    if (handler_ != nullptr) {
      handler_->ReportCurrent();
    } else {
      std::fputs("Glyphera: an error escaped an event handler\n", stderr);
    }
    return false;
  }
}

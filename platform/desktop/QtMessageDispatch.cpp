#include "platform/desktop/QtMessageDispatch.h"

#include <QCoreApplication>

void QtMessageDispatch::ProcessMessages() {
  QCoreApplication::processEvents();
}

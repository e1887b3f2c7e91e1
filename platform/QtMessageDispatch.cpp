#include "platform/QtMessageDispatch.h"

#include <QCoreApplication>

void QtMessageDispatch::ProcessMessages() {
  QCoreApplication::processEvents();
}

#include <QIcon>

#include "app/ProgramStart.h"
#include "app/RealPlatform.h"
#include "app/TfrmMain.h"
#include "platform/desktop/AllocatorFastBins.h"
#include "platform/desktop/ApplicationErrorHandler.h"
#include "platform/desktop/GuardedApplication.h"
#include "platform/desktop/QtMessageBoxes.h"

int main(int argc, char** argv) {
  DisableAllocatorFastBins();
  GuardedApplication application(argc, argv);
  // The desktop matches the windows to the installed entry and its icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.glyphera.Glyphera"));
  QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.glyphera.Glyphera")));
  QtMessageBoxes messages;
  ApplicationErrorHandler errors(messages);
  application.SetErrorHandler(&errors);
  RealPlatform platform(messages);

  ProgramStart start(platform.Services(), errors);
  start.frmMain().show();
  return application.exec();
}

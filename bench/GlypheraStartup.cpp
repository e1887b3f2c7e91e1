// glyphera-startup: the program's start, exactly as its main function does it, that quits as
// soon as the event loop has shown the first sample. The program itself has no way to quit by
// itself, so this is what the start-up time of a whole process is taken from.
#include <QTimer>

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
  QtMessageBoxes messages;
  ApplicationErrorHandler errors(messages);
  application.SetErrorHandler(&errors);

  RealPlatform platform(messages);

  ProgramStart start(platform.Services(), errors);
  start.frmMain().show();
  // Runs once the events the show posted, the first paint among them, have been handled.
  QTimer::singleShot(0, &application, &QCoreApplication::quit);
  return application.exec();
}

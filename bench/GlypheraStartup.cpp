// glyphera-startup: the program's start, exactly as its main function does it, that quits as
// soon as the event loop has shown the first sample. The program itself has no way to quit by
// itself, so this is what the start-up time of a whole process is taken from.
#include <QTimer>

#include "app/ProgramStart.h"
#include "app/TfrmMain.h"
#include "platform/ApplicationErrorHandler.h"
#include "platform/FileSystemShell.h"
#include "platform/FontconfigCache.h"
#include "platform/FontconfigFontServices.h"
#include "platform/FontconfigFontTable.h"
#include "platform/GuardedApplication.h"
#include "platform/HelpWindow.h"
#include "platform/PrinterSetupDialog.h"
#include "platform/ProcApplicationInfo.h"
#include "platform/ProfileStrings.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtMessageDispatch.h"
#include "platform/QtPrinter.h"
#include "platform/QtScreen.h"
#include "platform/RegistryStore.h"

int main(int argc, char** argv) {
  GuardedApplication application(argc, argv);
  QtMessageBoxes messages;
  ApplicationErrorHandler errors(messages);
  application.SetErrorHandler(&errors);

  ProcApplicationInfo program;
  FontconfigFontServices fonts;
  QtScreen screen;
  RegistryStore registry(RegistryStore::DefaultFilePath());
  QtMessageDispatch dispatch;
  QtPrinter printer(fonts, registry, dispatch);
  HelpWindow help;
  ProfileStrings profile;
  PrinterSetupDialog printerSetup(printer);
  FontconfigFontTable fontTable;
  FileSystemShell shell(messages);
  FontconfigCache fontCache;
  const PlatformServices services{program,   fonts, screen,   printer, registry,
                                  messages,  help,  dispatch, profile, printerSetup,
                                  fontTable, shell, fontCache};

  ProgramStart start(services, errors);
  start.frmMain().show();
  // Runs once the events the show posted, the first paint among them, have been handled.
  QTimer::singleShot(0, &application, &QCoreApplication::quit);
  return application.exec();
}

#include "app/ProgramStart.h"
#include "app/TfrmMain.h"
#include "platform/ApplicationErrorHandler.h"
#include "platform/FontconfigFontServices.h"
#include "platform/GuardedApplication.h"
#include "platform/HelpWindow.h"
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
  QtPrinter printer(fonts);
  RegistryStore registry(RegistryStore::DefaultFilePath());
  HelpWindow help;
  QtMessageDispatch dispatch;
  ProfileStrings profile;
  const PlatformServices services{program,  fonts, screen,   printer, registry,
                                  messages, help,  dispatch, profile};

  ProgramStart start(services, errors);
  start.frmMain().show();
  return application.exec();
}

#pragma once

#include "platform/FileSystemShell.h"
#include "platform/FontconfigCache.h"
#include "platform/FontconfigFontServices.h"
#include "platform/FontconfigFontTable.h"
#include "platform/FreeTypeFontFileCheck.h"
#include "platform/HelpWindow.h"
#include "platform/PlatformServices.h"
#include "platform/PrinterSetupDialog.h"
#include "platform/ProcApplicationInfo.h"
#include "platform/ProfileStrings.h"
#include "platform/QtMessageDispatch.h"
#include "platform/QtPrinter.h"
#include "platform/QtScreen.h"
#include "platform/RegistryStore.h"

class IMessageBoxes;

// The program's real platform services, each built after those it depends on. The message boxes
// are the caller's, so that a caller without a user can answer them itself.
class RealPlatform {
 public:
  explicit RealPlatform(IMessageBoxes& messages) : messages_(messages), shell_(messages) {}
  RealPlatform(const RealPlatform&) = delete;
  RealPlatform& operator=(const RealPlatform&) = delete;

  PlatformServices Services() {
    return {program_,  fonts_,   screen_,       printer_,   registry_, messages_,  help_,
            dispatch_, profile_, printerSetup_, fontTable_, shell_,    fontCache_, fontFiles_};
  }

 private:
  IMessageBoxes& messages_;
  ProcApplicationInfo program_;
  FontconfigFontServices fonts_;
  QtScreen screen_;
  RegistryStore registry_{RegistryStore::DefaultFilePath()};
  QtMessageDispatch dispatch_;
  QtPrinter printer_{fonts_, registry_, dispatch_};
  HelpWindow help_;
  ProfileStrings profile_;
  PrinterSetupDialog printerSetup_{printer_};
  FontconfigFontTable fontTable_;
  FileSystemShell shell_;
  FontconfigCache fontCache_;
  FreeTypeFontFileCheck fontFiles_;
};

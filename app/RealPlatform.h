#pragma once

#include "platform/PlatformError.h"
#include "platform/PlatformServices.h"
#include "platform/desktop/HelpWindow.h"
#include "platform/desktop/QtMessageDispatch.h"
#include "platform/desktop/QtScreen.h"
#include "platform/files/FileSystemShell.h"
#include "platform/files/StaleTemporaries.h"
#include "platform/fonts/FamilyNameCache.h"
#include "platform/fonts/FontconfigCache.h"
#include "platform/fonts/FontconfigFontServices.h"
#include "platform/fonts/FontconfigFontTable.h"
#include "platform/fonts/FreeTypeFontFileCheck.h"
#include "platform/printers/PrinterSetupDialog.h"
#include "platform/printers/Printers.h"
#include "platform/storage/ProcApplicationInfo.h"
#include "platform/storage/ProfileStrings.h"
#include "platform/storage/RegistryStore.h"
#include "platform/storage/XdgFolders.h"
#include "settings/SampleTextKeys.h"

#include <filesystem>
#include <string>
#include <vector>

class IMessageBoxes;

// The program's real platform services, each built after those it depends on. The message boxes
// are the caller's, so that a caller without a user can answer them itself.
class RealPlatform {
 public:
  explicit RealPlatform(IMessageBoxes& messages) : messages_(messages), shell_(messages) {
    RemoveAbandonedTemporaries(WrittenFolders());
  }
  RealPlatform(const RealPlatform&) = delete;
  RealPlatform& operator=(const RealPlatform&) = delete;

  PlatformServices Services() {
    return {program_,  fonts_,   screen_,       printer_,   registry_, messages_,  help_,
            dispatch_, profile_, printerSetup_, fontTable_, shell_,    fontCache_, fontFiles_};
  }

 private:
  // Every folder the program writes files to: the settings file's, the registry store's, the
  // PDF sheets', the Fonts folder and the family-name cache's.
  std::vector<std::string> WrittenFolders() {
    const auto folderOf = [](const std::string& file) {
      return std::filesystem::path(file).parent_path().string();
    };
    std::vector<std::string> folders{folderOf(program_.SettingsFile(SampleTextKeys::kFileName)),
                                     folderOf(RegistryStore::DefaultFilePath()), UserFontsFolder(),
                                     folderOf(FamilyNameCache::DefaultFile())};
    try {
      folders.push_back(printer_.OutputFolder());
    } catch (const PlatformError&) {
      // A folder named by a value of the wrong type is reported when a sheet is printed.
    }
    return folders;
  }

  IMessageBoxes& messages_;
  ProcApplicationInfo program_;
  FontconfigFontServices fonts_;
  QtScreen screen_;
  RegistryStore registry_{RegistryStore::DefaultFilePath()};
  QtMessageDispatch dispatch_;
  Printers printer_{fonts_, registry_, dispatch_};
  HelpWindow help_;
  ProfileStrings profile_;
  PrinterSetupDialog printerSetup_{printer_};
  FontconfigFontTable fontTable_;
  FileSystemShell shell_;
  FontconfigCache fontCache_;
  FreeTypeFontFileCheck fontFiles_;
};

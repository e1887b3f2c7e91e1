#pragma once

#include <functional>
#include <string>
#include <vector>

#include "install/FontFileEntry.h"

class FontList;
class IFontFileCheck;
class IFontTable;
class IMessageBoxes;
class IMessageDispatch;
class IRegistry;
class IShell;
class ISystemFontCache;
class ListBox;
class PreviewLists;
class PreviewReading;
class QPushButton;
class TfrmInstalling;

// The controls an installation reads and drives.
struct InstallControls {
  ListBox& lstSelected;
  // Disabled while an installation runs, so that the faces being installed stay put and no
  // second installation or preview print starts inside it.
  QPushButton& cmdInstall;
  QPushButton& cmdPreviewPrint;
  QPushButton& cmdAdd;
  QPushButton& cmdAddAll;
  QPushButton& cmdRemove;
  QPushButton& cmdRemoveAll;
  ListBox& lstFonts;
  TfrmInstalling& frmInstalling;
};

struct InstallServices {
  IShell& Shell;
  IRegistry& Registry;
  IFontTable& FontTable;
  ISystemFontCache& FontCache;
  IMessageBoxes& Messages;
  IMessageDispatch& Dispatch;
  // Asked before a face's file is copied: a file no font library opens is not installed.
  IFontFileCheck& FontFiles;
};

// Installs the selected faces of the Preview/Install page: each face's file is copied into the
// Fonts folder, listed under the font registry key, added to the font table and announced.
class FontInstaller {
 public:
  // fontsFolder (ending in "/") and registryKey are asked for when an installation starts.
  FontInstaller(const InstallControls& controls, const InstallServices& services,
                const PreviewReading& reading, PreviewLists& lists, FontList& fonts,
                std::function<std::string()> fontsFolder, std::function<std::string()> registryKey);

  void cmdInstallClick();
  void cmdCancelClick() { installCancelled_ = true; }

  // Whether the font registry key lists the face (by the value this program writes for a face
  // of the entry's kind; TrueType without an entry).
  bool IsFontInstalled(const std::string& fullName, const FontFileEntry* entry = nullptr);

  bool InstallCancelled() const { return installCancelled_; }

 private:
  // What one run works with, taken when it starts, so that changes made on the page while it
  // runs (another folder read, the lists emptied) do not reach it.
  struct Run {
    std::vector<FontFace> Faces;
    std::string PreviewDir;
    std::string FontsFolder;
    std::string RegistryKey;
  };

  Run TakeRun() const;
  // Why the run can install no face at all (the registry cannot be read, or lacks the font
  // registry key); empty when it can.
  std::string WhyNothingCanBeInstalled(const Run& run);
  bool IsInstalledUnder(const std::string& key, const std::string& fullName,
                        const FontFileEntry* entry);
  // Installs one face; false (after the warning) when it could not be installed.
  bool InstallFace(const Run& run, const std::string& fullName, const FontFileEntry* entry);
  void InstallSteps(const Run& run, const std::string& fullName, const FontFileEntry& entry);
  void CopyFile(const std::string& source, const std::string& target);
  void Finish(const Run& run, int installed);

  InstallControls c_;
  InstallServices s_;
  const PreviewReading& reading_;
  PreviewLists& lists_;
  FontList& fonts_;
  std::function<std::string()> fontsFolder_;
  std::function<std::string()> registryKey_;
  bool installCancelled_ = false;
};

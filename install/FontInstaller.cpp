#include "install/FontInstaller.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QPushButton>
#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "install/PreviewLists.h"
#include "install/PreviewReading.h"
#include "install/ShellFileOperation.h"
#include "install/TfrmInstalling.h"
#include "platform/PlatformError.h"
#include "platform/desktop/IMessageBoxes.h"
#include "platform/desktop/IMessageDispatch.h"
#include "platform/files/IShell.h"
#include "platform/files/ReadOnlyFile.h"
#include "platform/fonts/IFontFileCheck.h"
#include "platform/fonts/IFontTable.h"
#include "platform/fonts/ISystemFontCache.h"
#include "platform/fonts/PrivateFontCopies.h"
#include "platform/fonts/WebFonts.h"
#include "platform/storage/IRegistry.h"
#include "platform/text/ErrorText.h"
#include "platform/text/Trimmed.h"
#include "viewing/FontList.h"
#include "widgets/ButtonsDisabled.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"

namespace fs = std::filesystem;

namespace {

// The value name is the full name with a suffix for the kind of outlines, spelt as Windows spells
// it in its font registry key, which the registry store keeps the layout of.
std::string ValueName(const std::string& fullName, const FontFileEntry* entry) {
  return fullName + (entry != nullptr && entry->CffOutlines ? " (OpenType)" : " (True Type)");
}
// How far "name-1.ttf", "name-2.ttf", ... go looking for a free file name.
constexpr int kMaxAlternativeNames = 9999;

bool Exists(const fs::path& path) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(path, ignored));
}

// Whether both files can be read and hold the same bytes.
bool SameContent(const fs::path& a, const fs::path& b) {
  std::error_code error;
  const auto size = fs::file_size(a, error);
  if (error || fs::file_size(b, error) != size || error) return false;
  std::ifstream first(a, std::ios::binary);
  std::ifstream second(b, std::ios::binary);
  if (!first || !second) return false;
  constexpr std::size_t kChunk = 64 * 1024;
  std::vector<char> x(kChunk);
  std::vector<char> y(kChunk);
  while (first && second) {
    first.read(x.data(), kChunk);
    second.read(y.data(), kChunk);
    if (first.gcount() != second.gcount()) return false;
    if (!std::equal(x.begin(), x.begin() + first.gcount(), y.begin())) return false;
  }
  return first.eof() && second.eof();
}

// Where a face's file goes in the Fonts folder. Another font's file of the same name is never
// overwritten, since that font would lose its file: the copy takes the first free name of
// "name-1.ext", "name-2.ext", ... A file that already holds the same bytes is used as it is.
struct Placement {
  std::string FileName;
  bool Copy = true;
};

Placement PlaceFile(const std::string& folder, const std::string& fileName,
                    const std::string& source) {
  const fs::path name(fileName);
  const std::string stem = name.stem().string();
  const std::string extension = name.extension().string();
  for (int n = 0; n <= kMaxAlternativeNames; ++n) {
    std::string candidate = n == 0 ? fileName : stem + "-" + std::to_string(n) + extension;
    const fs::path target = fs::path(folder) / candidate;
    if (!Exists(target)) return {std::move(candidate), true};
    if (SameContent(source, target)) return {std::move(candidate), false};
  }
  throw PlatformError("No free file name for " + fileName + " in " + folder);
}

// The file installed for a face: its own file, or, for a web font, which many programs cannot
// open, the sfnt the web font holds, unpacked to a private copy and named after the face (a
// variable font's instances share the file, named after their family).
struct InstalledFile {
  std::string Source;
  std::string FileName;
};

std::string FileNameFor(const std::string& name, std::string_view sfnt) {
  std::string file;
  for (const char c : name) file += c == '/' || static_cast<unsigned char>(c) < 32 ? '_' : c;
  if (file.empty() || file.front() == '.') file.insert(0, "font");
  const std::string_view tag = sfnt.substr(0, 4);
  return file + (tag == "OTTO" ? ".otf" : tag == "ttcf" ? ".ttc" : ".ttf");
}

InstalledFile UnpackWebFont(const std::string& source, const std::string& fullName,
                            const FontFileEntry& entry, PrivateFontCopies& copies) {
  std::array<char, 4> start{};
  const ReadOnlyFile file(source);
  if (!file.ReadAt(0, start.data(), start.size()) ||
      !WebFonts::IsWebFont(std::string_view(start.data(), start.size()))) {
    return {source, entry.FileName};
  }
  const std::optional<std::string> bytes = ReadWholeFileAtMost(source, WebFonts::kLargestSfnt);
  const std::optional<std::string> sfnt = bytes ? WebFonts::Decode(*bytes) : std::nullopt;
  // A web font that does not unpack is a damaged font file like any other.
  if (!sfnt) throw PlatformError(source + " does not open as a font");
  const std::string copy = copies.Make(*sfnt);
  if (copy.empty()) throw PlatformError("Cannot unpack " + source + " to a temporary file");
  // The copy is private in a private folder; the installed file takes its mode from it and is
  // to be as readable as any font file copied into place (the umask still applies).
  ::chmod(copy.c_str(), 0644);
  return {copy, FileNameFor(entry.Instance != 0 ? entry.FamilyName : fullName, *sfnt)};
}

}  // namespace

FontInstaller::FontInstaller(const InstallControls& controls, const InstallServices& services,
                             const PreviewReading& reading, PreviewLists& lists, FontList& fonts,
                             std::function<std::string()> fontsFolder,
                             std::function<std::string()> registryKey)
    : c_(controls),
      s_(services),
      reading_(reading),
      lists_(lists),
      fonts_(fonts),
      fontsFolder_(std::move(fontsFolder)),
      registryKey_(std::move(registryKey)) {
  c_.frmInstalling.OnCancel = [this] { cmdCancelClick(); };
}

bool FontInstaller::IsFontInstalled(const std::string& fullName, const FontFileEntry* entry) {
  return IsInstalledUnder(registryKey_(), fullName, entry);
}

bool FontInstaller::IsInstalledUnder(const std::string& key, const std::string& fullName,
                                     const FontFileEntry* entry) {
  try {
    return s_.Registry.KeyExists(RegistryRoot::LocalMachine, key) &&
           s_.Registry.QueryValue(RegistryRoot::LocalMachine, key, ValueName(fullName, entry));
  } catch (const PlatformError&) {
    // A store that cannot be read is a key that cannot be opened; writing the value fails as
    // well and is reported for the face.
    return false;
  }
}

FontInstaller::Run FontInstaller::TakeRun() const {
  Run run{{}, reading_.Dir(), fontsFolder_(), registryKey_()};
  for (int i = 0; i < c_.lstSelected.Count(); ++i) {
    run.Faces.push_back({c_.lstSelected.Text(i), c_.lstSelected.ObjectAs<FontFileEntry>(i)});
  }
  return run;
}

std::string FontInstaller::WhyNothingCanBeInstalled(const Run& run) {
  bool keyExists = false;
  try {
    keyExists = s_.Registry.KeyExists(RegistryRoot::LocalMachine, run.RegistryKey);
  } catch (const PlatformError& error) {
    return error.what();
  }
  // Empty when the registry could not be read at start-up, even if it can be now.
  if (run.FontsFolder.empty() || run.RegistryKey.empty()) {
    return "The Fonts folder and the font registry key could not be read from the registry when "
           "the program started";
  }
  // The key is opened, never created: a registry store without it does not list fonts there.
  if (keyExists) return {};
  return "The font registry key HKEY_LOCAL_MACHINE\\" + run.RegistryKey + " does not exist";
}

void FontInstaller::cmdInstallClick() {
  const Run run = TakeRun();
  // Checked before any file is copied, so that no copy is left in the Fonts folder unrecorded;
  // the selection stays for another try.
  if (!run.Faces.empty()) {
    if (const std::string why = WhyNothingCanBeInstalled(run); !why.empty()) {
      s_.Messages.Show(MessageKind::Error, "Error", WithFullStop("No font was installed.\r" + why));
      return;
    }
  }
  const ButtonsDisabled busy{&c_.cmdInstall, &c_.cmdPreviewPrint, &c_.cmdAdd,
                             &c_.cmdAddAll,  &c_.cmdRemove,       &c_.cmdRemoveAll};
  TfrmInstalling& dialog = c_.frmInstalling;
  dialog.lblSelected->SetCaption("Fonts Selected: " + std::to_string(run.Faces.size()));
  dialog.lblInstalled->SetCaption("Installed: 0");
  dialog.show();
  installCancelled_ = false;
  int installed = 0;
  try {
    for (const FontFace& face : run.Faces) {
      // Where a click on Cancel is seen.
      s_.Dispatch.ProcessMessages();
      const std::string name = Trimmed(face.FullName);
      if (IsInstalledUnder(run.RegistryKey, name, face.Entry.get())) {
        s_.Messages.Show(MessageKind::Information, "Information",
                         "The font \"" + name + "\" is already installed");
      } else if (InstallFace(run, name, face.Entry.get())) {
        ++installed;
        dialog.lblInstalled->SetCaption("Installed: " + std::to_string(installed));
      }
      // Looked at only now, so that the face under way is completed.
      if (installCancelled_) break;
    }
    Finish(run, installed);
  } catch (...) {
    dialog.hide();
    throw;
  }
}

bool FontInstaller::InstallFace(const Run& run, const std::string& fullName,
                                const FontFileEntry* entry) {
  try {
    if (entry == nullptr) throw PlatformError("No font file for " + fullName);
    InstallSteps(run, fullName, *entry);
    return true;
  } catch (const std::exception& error) {
    // A copy the registry could not record has been taken back; the next face is tried all the
    // same. The second line says why, so the user knows what to mend.
    s_.Messages.Show(MessageKind::Warning, "Warning",
                     "Unable to install font " + fullName + "\r" + WithFullStop(error.what()));
    return false;
  }
}

void FontInstaller::InstallSteps(const Run& run, const std::string& fullName,
                                 const FontFileEntry& entry) {
  const std::string source = run.PreviewDir + entry.FileName;
  // The file may have gone or become unreadable since it was listed; say so rather than that it
  // is no font.
  const int file = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) {
    throw PlatformError("Cannot read " + source + ": " + std::generic_category().message(errno));
  }
  ::close(file);
  PrivateFontCopies unpacked;
  const InstalledFile installed = UnpackWebFont(source, fullName, entry, unpacked);
  // Its naming table was enough for the preview list, but other programs find fonts through
  // fontconfig, which skips a file FreeType cannot open: such a file would be copied and listed
  // here for nothing.
  if (!s_.FontFiles.OpensAsFont(installed.Source, entry.FaceIndex)) {
    throw PlatformError(source + " does not open as a font");
  }
  // Asked again before each copy: another running copy may have changed the store meanwhile.
  if (!s_.Registry.KeyExists(RegistryRoot::LocalMachine, run.RegistryKey)) {
    throw PlatformError("The font registry key does not exist");
  }
  fs::create_directories(run.FontsFolder);
  const Placement placed = PlaceFile(run.FontsFolder, installed.FileName, installed.Source);
  const std::string target = run.FontsFolder + placed.FileName;
  if (placed.Copy) CopyFile(installed.Source, target);
  // A collection's file is copied once; each of its faces installed gets a value of its own
  // naming that file. A copy the registry cannot record is taken back, so that no file sits in
  // the Fonts folder that the font registry key does not list.
  try {
    s_.Registry.SetValue(RegistryRoot::LocalMachine, run.RegistryKey, ValueName(fullName, &entry),
                         {RegistryType::Text, placed.FileName, 0});
  } catch (const PlatformError&) {
    std::error_code ignored;
    if (placed.Copy) fs::remove(target, ignored);
    throw;
  }
  s_.FontTable.AddFontResource(target);
  s_.FontTable.BroadcastFontChange();
}

void FontInstaller::CopyFile(const std::string& source, const std::string& target) {
  // The file operation has shown why in a message box; without the file the face is not
  // installed.
  if (!ShellFileOperation(s_.Shell, {source}, {target}, ShellOp::FO_COPY,
                          ShellOp::FOF_SILENT | ShellOp::FOF_NOCONFIRMATION)) {
    throw PlatformError("Cannot copy " + source);
  }
}

void FontInstaller::Finish(const Run& run, int installed) {
  c_.lstSelected.Clear();
  if (c_.lstFonts.Count() > 0) c_.lstFonts.SetSelected(0, true);
  fonts_.RecountFonts();
  c_.frmInstalling.hide();
  lists_.ShowPreviewCounts();
  // Other programs find the new files through fontconfig's cache of the folder.
  if (installed > 0) s_.FontCache.Refresh(run.FontsFolder);
  s_.Messages.Show(
      MessageKind::Information, "Information",
      "Installed " + std::to_string(installed) + (installed == 1 ? " font" : " fonts"));
}

#include "install/PreviewFonts.h"

#include <QFrame>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <cctype>
#include <utility>

#include "install/FolderReadAhead.h"
#include "install/FontNameReader.h"
#include "platform/AsciiCase.h"
#include "platform/IFontServices.h"
#include "platform/IFontTable.h"
#include "platform/IMessageBoxes.h"
#include "platform/IMessageDispatch.h"
#include "platform/IPrinter.h"
#include "platform/IScreen.h"
#include "platform/MountTable.h"
#include "viewing/FontList.h"
#include "widgets/BusyCursor.h"
#include "widgets/ButtonsDisabled.h"
#include "widgets/DesignFonts.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/DriveComboBox.h"
#include "widgets/FileListBox.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/SpinEdit.h"

namespace {

// A face whose full name has more characters than this is shown by its family and style flags.
constexpr std::size_t kLongestShownName = 31;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::size_t CharacterCount(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// The directory with the separator the files' names are joined with.
std::string WithSeparator(const std::string& directory) {
  return directory.ends_with('/') ? directory : directory + "/";
}

}  // namespace

PreviewFonts::PreviewFonts(const PreviewControls& controls, const PreviewServices& services,
                           FontList& fonts)
    : c_(controls), s_(services), fonts_(fonts) {}

void PreviewFonts::SetSampleShown(bool shown) {
  c_.memDispPreview.SetFontColor(shown ? DesignColors::Black : DesignColors::White);
}

void PreviewFonts::Drive1Change() {
  const BusyCursor busy(s_.Screen);
  const std::string drive = c_.Drive1.Drive();
  try {
    const std::vector<std::string> mounts = MountTable::LocalMounts();
    if (MountTable::MountOf(c_.Dir1.Directory(), mounts) != drive) c_.Dir1.SetDirectory(drive);
  } catch (const std::exception&) {
    s_.Messages.Show(MessageKind::Error, "Error", "Error reading drive " + drive);
    c_.Drive1.SetDrive(MountTable::MountOf(c_.Dir1.Directory(), MountTable::LocalMounts()));
  }
}

void PreviewFonts::Dir1Change() {
  if (EndReading()) {
    folderChangedWhileReading_ = true;
    return;
  }
  const BusyCursor busy(s_.Screen);
  c_.lstPreview.Clear();
  c_.lstPreview2.Clear();
  c_.lstSelected.Clear();
  c_.cmdAdd.setEnabled(false);
  c_.cmdAddAll.setEnabled(false);
  c_.lblPreviewSample.SetCaption("Sample");
  SetSampleShown(false);
  c_.cmdPreview.setEnabled(false);
  c_.File1.SetDirectory(c_.Dir1.Directory());
  c_.lblFontFiles.SetCaption("Font Files: " + std::to_string(c_.File1.Count()));
  c_.cmdPreview.setEnabled(c_.File1.Count() > 0);
  ShowPreviewCounts();
}

void PreviewFonts::cmdPreviewClick() {
  if (reading_ != Reading::Idle) return;
  if (ReadFolder() == Reading::Abandoned) {
    // The folder or the page changed while it read: what asked for that is done now, with the
    // page as it was before the reading.
    if (std::exchange(folderChangedWhileReading_, false)) Dir1Change();
    if (std::exchange(leftWhileReading_, false)) LeavePage();
    return;
  }
  c_.lstPreview.Clear();
  for (int i = 0; i < c_.lstPreview2.Count(); ++i) {
    c_.lstPreview.Add(c_.lstPreview2.Text(i), c_.lstPreview2.Object(i));
  }
  const bool found = c_.lstPreview.Count() > 0;
  SetSampleShown(found);
  c_.cmdAdd.setEnabled(found);
  c_.cmdAddAll.setEnabled(found);
  c_.cmdPreview.setEnabled(!found);
  if (found) {
    c_.lstPreview.setFocus();
    c_.lstPreview.SetItemIndex(0);
    ShowPreviewFont(c_.lstPreview);
  }
  ShowPreviewCounts();
}

PreviewFonts::Reading PreviewFonts::ReadFolder() {
  // The files listed now are the ones read, whatever happens to the list meanwhile. Faces an
  // earlier reading left behind when an error ended it are not among them.
  c_.lstPreview2.Clear();
  previewDir_ = WithSeparator(c_.Dir1.Directory());
  std::vector<std::string> files;
  for (int i = 0; i < c_.File1.Count(); ++i) files.push_back(c_.File1.FileName(i));
  const int n = static_cast<int>(files.size());
  c_.lblLoading.SetCaption("Loading " + std::to_string(n) + " fonts");
  c_.gaugeLoading.setValue(0);
  c_.pnlLoading.show();
  c_.pnlLoading.repaint();
  // Nothing that starts a second reading, moves faces or reads the lists may run inside this
  // one; a change of folder or page ends it (see Dir1Change and LeavePage).
  const ButtonsDisabled busy{&c_.cmdPreview,   &c_.cmdAdd,     &c_.cmdAddAll,      &c_.cmdRemove,
                             &c_.cmdRemoveAll, &c_.cmdInstall, &c_.cmdPreviewPrint};
  const struct Done {
    PreviewFonts& self;
    ~Done() {
      self.c_.pnlLoading.hide();
      self.reading_ = Reading::Idle;
    }
  } done{*this};
  reading_ = Reading::Running;
  // From a cold disk the files ahead are fetched several at once, not one read at a time.
  FolderReadAhead readAhead(previewDir_, files);
  for (int i = 0; i < n; ++i) {
    s_.Dispatch.ProcessMessages();
    if (reading_ != Reading::Running) break;
    readAhead.Reached(static_cast<std::size_t>(i));
    for (const FontFace& face : ReadFontFaces(previewDir_, files[static_cast<std::size_t>(i)])) {
      c_.lstPreview2.Add(face.FullName, face.Entry);
    }
    c_.gaugeLoading.setValue(100 * i / n);
  }
  return reading_;
}

void PreviewFonts::AddAndAnnounce(const std::string& path) {
  s_.FontTable.AddFontResource(path);
  s_.FontTable.BroadcastFontChange();
}

void PreviewFonts::RemoveAndAnnounce(const std::string& path) {
  s_.FontTable.RemoveFontResource(path);
  s_.FontTable.BroadcastFontChange();
}

void PreviewFonts::ShowPreviewFont(ListBox& list) {
  if (list.Count() == 0) return;
  const BusyCursor busy(s_.Screen);
  UnloadShownFont();
  const int index = list.ItemIndex();
  const auto entry = list.ObjectAs<FontFileEntry>(index);
  const std::string path = previewDir_ + entry->FileName;
  AddAndAnnounce(path);
  shownPreviewFile_ = path;
  c_.memDispPreview.SetBold(false);
  c_.memDispPreview.SetItalic(false);
  const std::string shown = Trimmed(list.Text(index));
  if (CharacterCount(shown) > kLongestShownName) {
    c_.memDispPreview.SetFontName(entry->FamilyName);
    FindFaceStyle(entry->FamilyName, shown);
    if (faceIsBold_) c_.memDispPreview.SetBold(true);
    if (faceIsItalic_) c_.memDispPreview.SetItalic(true);
  } else {
    c_.memDispPreview.SetFontName(shown);
  }
  c_.memDispPreview.repaint();
  c_.lblPreviewSample.SetCaption("Sample: " + shown);
  c_.lblPreviewSample.repaint();
}

void PreviewFonts::FindFaceStyle(const std::string& name, const std::string& fullName) {
  faceIsBold_ = false;
  faceIsItalic_ = false;
  const std::vector<FontStyleRecord> faces = s_.Fonts.EnumFontFamilies(name);
  // A regular face's full name is often its family's name, which reports every face of the
  // family; the last of them (a bold italic, say) must not stand for the face itself.
  for (const FontStyleRecord& face : faces) {
    if (EqualsIgnoringCase(face.elfFullName, fullName)) {
      StyleEnumProc(face);
      return;
    }
  }
  for (const FontStyleRecord& face : faces) StyleEnumProc(face);
}

void PreviewFonts::StyleEnumProc(const FontStyleRecord& face) {
  const std::string upper = Upper(face.elfStyle.substr(0, face.elfStyle.find('\0')));
  const auto has = [&upper](const char* word) { return upper.find(word) != std::string::npos; };
  faceIsBold_ = has("BOLD");
  // An oblique or slanted face is shown slanted as an italic one is, and so is a face whose
  // font says it is italic whatever its style is called.
  faceIsItalic_ = face.Italic || has("ITALIC") || has("OBLIQUE") || has("SLANT");
}

void PreviewFonts::lstPreviewClick() {
  ShowPreviewFont(c_.lstPreview);
}

void PreviewFonts::lstSelectedClick() {
  ShowPreviewFont(c_.lstSelected);
}

void PreviewFonts::ShowPreviewCounts() {
  c_.lblPAvailable.SetCaption("Available Fonts: " + std::to_string(c_.lstPreview.Count()));
  c_.lblPSelected.SetCaption("Selected Fonts: " + std::to_string(c_.lstSelected.Count()));
}

void PreviewFonts::UnloadShownFont() {
  if (shownPreviewFile_.empty()) return;
  RemoveAndAnnounce(shownPreviewFile_);
  shownPreviewFile_.clear();
}

void PreviewFonts::UnloadPrintedFonts() {
  if (loadedPreviewFiles_.empty()) return;
  // One announcement for them all: each one makes every window resolve its fonts again.
  for (const FontFace& face : loadedPreviewFiles_) {
    s_.FontTable.RemoveFontResource(printedPreviewDir_ + face.Entry->FileName);
  }
  loadedPreviewFiles_.clear();
  s_.FontTable.BroadcastFontChange();
}

void PreviewFonts::RecordPrintedFace(const FontFace& face) {
  loadedPreviewFiles_.push_back(face);
}

int PreviewFonts::FirstSelectedIndex(const ListBox& list) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Selected(i)) return i;
  }
  return -1;
}

void PreviewFonts::MoveSelectedItems(ListBox& source, ListBox& target) {
  for (int i = source.Count() - 1; i >= 0; --i) {
    if (!source.Selected(i)) continue;
    target.Add(source.Text(i), source.Object(i));
    source.Delete(i);
  }
}

void PreviewFonts::RestoreItemIndex(ListBox& list, int index) {
  list.setFocus();
  if (list.Count() > 0) {
    if (index < 0) index = 0;
    if (index >= list.Count()) index = list.Count() - 1;
    list.SetItemIndex(index);
  }
  UpdateMoveButtons();
}

void PreviewFonts::UpdateMoveButtons() {
  const bool available = c_.lstPreview.Count() > 0;
  const bool selected = c_.lstSelected.Count() > 0;
  c_.cmdAdd.setEnabled(available);
  c_.cmdAddAll.setEnabled(available);
  c_.cmdRemove.setEnabled(selected);
  c_.cmdRemoveAll.setEnabled(selected);
  c_.cmdInstall.setEnabled(selected);
  c_.cmdPreviewPrint.setEnabled(selected);
  ShowPreviewCounts();
}

void PreviewFonts::cmdAddClick() {
  const int index = FirstSelectedIndex(c_.lstPreview);
  MoveSelectedItems(c_.lstPreview, c_.lstSelected);
  RestoreItemIndex(c_.lstPreview, index);
  lstPreviewClick();
}

void PreviewFonts::cmdRemoveClick() {
  const int index = FirstSelectedIndex(c_.lstSelected);
  MoveSelectedItems(c_.lstSelected, c_.lstPreview);
  RestoreItemIndex(c_.lstSelected, index);
}

void PreviewFonts::MoveAll(ListBox& source, ListBox& target) {
  for (int i = 0; i < source.Count(); ++i) target.Add(source.Text(i), source.Object(i));
  source.Clear();
}

void PreviewFonts::cmdAddAllClick() {
  MoveAll(c_.lstPreview, c_.lstSelected);
  RestoreItemIndex(c_.lstPreview, 0);
  c_.lstSelected.setFocus();
}

void PreviewFonts::cmdRemoveAllClick() {
  MoveAll(c_.lstSelected, c_.lstPreview);
  // The faces come back below the ones left; what is highlighted there stays, as the sample
  // still shows it.
  RestoreItemIndex(c_.lstSelected, 0);
  c_.lstPreview.setFocus();
}

void PreviewFonts::spnPreviewSizeChange() {
  const int value = c_.spnPreviewSize.Value();
  if (value >= c_.spnPreviewSize.MinValue() && value <= c_.spnPreviewSize.MaxValue()) {
    c_.memDispPreview.SetFontPoints(value);
  }
}

bool PreviewFonts::EndReading() {
  if (reading_ == Reading::Idle) return false;
  reading_ = Reading::Abandoned;
  return true;
}

void PreviewFonts::LeavePage() {
  if (EndReading()) {
    leftWhileReading_ = true;
    return;
  }
  const BusyCursor busy(s_.Screen);
  c_.lstPreview.Clear();
  c_.lstPreview2.Clear();
  c_.lstSelected.Clear();
  c_.cmdPreview.setEnabled(c_.File1.Count() > 0);
  for (QPushButton* button : {&c_.cmdInstall, &c_.cmdPreviewPrint, &c_.cmdAdd, &c_.cmdAddAll,
                              &c_.cmdRemove, &c_.cmdRemoveAll}) {
    button->setEnabled(false);
  }
  c_.lblPreviewSample.SetCaption("Sample");
  SetSampleShown(false);
  ShowPreviewCounts();
  UnloadShownFont();
  UnloadPrintedFonts();
  s_.Printer.SetPrinterIndex(s_.Printer.PrinterIndex());
  fonts_.FillFontList();
  fonts_.AddListedFontsToScreenFontSet();
}

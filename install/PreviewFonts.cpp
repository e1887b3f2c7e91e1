#include "install/PreviewFonts.h"

#include <QPushButton>
#include <algorithm>
#include <utility>

#include "platform/desktop/IMessageBoxes.h"
#include "platform/desktop/IScreen.h"
#include "platform/files/MountTable.h"
#include "platform/printers/IPrinter.h"
#include "platform/text/Trimmed.h"
#include "printing/PrintJobState.h"
#include "viewing/FontList.h"
#include "widgets/BusyCursor.h"
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

std::size_t CharacterCount(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

}  // namespace

PreviewFonts::PreviewFonts(const PreviewControls& controls, const PreviewServices& services,
                           FontList& fonts, const PrintJobState& printing)
    : c_(controls),
      s_(services),
      fonts_(fonts),
      printing_(printing),
      reading_({c_.lstPreview2,
                c_.pnlLoading,
                c_.lblLoading,
                c_.gaugeLoading,
                {&c_.cmdPreview, &c_.Lists.cmdAdd, &c_.Lists.cmdAddAll, &c_.Lists.cmdRemove,
                 &c_.Lists.cmdRemoveAll, &c_.Lists.cmdInstall, &c_.Lists.cmdPreviewPrint}},
               s_.Dispatch),
      lists_(c_.Lists),
      leases_(s_.FontTable) {}

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
  if (reading_.Abandon()) {
    folderChangedWhileReading_ = true;
    return;
  }
  const BusyCursor busy(s_.Screen);
  c_.Lists.lstPreview.Clear();
  c_.lstPreview2.Clear();
  c_.Lists.lstSelected.Clear();
  c_.Lists.cmdAdd.setEnabled(false);
  c_.Lists.cmdAddAll.setEnabled(false);
  c_.lblPreviewSample.SetCaption("Sample");
  SetSampleShown(false);
  c_.cmdPreview.setEnabled(false);
  c_.File1.SetDirectory(c_.Dir1.Directory());
  c_.lblFontFiles.SetCaption("Font Files: " + std::to_string(c_.File1.Count()));
  c_.cmdPreview.setEnabled(c_.File1.Count() > 0);
  lists_.ShowPreviewCounts();
}

void PreviewFonts::cmdPreviewClick() {
  if (!reading_.Idle()) return;
  std::vector<std::string> files;
  for (int i = 0; i < c_.File1.Count(); ++i) files.push_back(c_.File1.FileName(i));
  if (reading_.Read(c_.Dir1.Directory(), files) == PreviewReading::State::Abandoned) {
    // The folder or the page changed while it read: what asked for that is done now, with the
    // page as it was before the reading.
    if (std::exchange(folderChangedWhileReading_, false)) Dir1Change();
    if (std::exchange(leftWhileReading_, false)) LeavePage();
    return;
  }
  c_.Lists.lstPreview.Clear();
  for (int i = 0; i < c_.lstPreview2.Count(); ++i) {
    c_.Lists.lstPreview.Add(c_.lstPreview2.Text(i), c_.lstPreview2.Object(i));
  }
  const bool found = c_.Lists.lstPreview.Count() > 0;
  SetSampleShown(found);
  c_.Lists.cmdAdd.setEnabled(found);
  c_.Lists.cmdAddAll.setEnabled(found);
  c_.cmdPreview.setEnabled(!found);
  if (found) {
    c_.Lists.lstPreview.setFocus();
    c_.Lists.lstPreview.SetItemIndex(0);
    ShowPreviewFont(c_.Lists.lstPreview);
  }
  lists_.ShowPreviewCounts();
}

void PreviewFonts::ShowPreviewFont(ListBox& list) {
  if (list.Count() == 0) return;
  const BusyCursor busy(s_.Screen);
  const int index = list.ItemIndex();
  const auto entry = list.ObjectAs<FontFileEntry>(index);
  leases_.Show(reading_.Dir() + entry->FileName);
  c_.memDispPreview.SetBold(false);
  c_.memDispPreview.SetItalic(false);
  const std::string shown = Trimmed(list.Text(index));
  // A named instance is found by its full name alone, however long: its family names them all.
  if (CharacterCount(shown) > kLongestShownName && entry->Instance == 0) {
    c_.memDispPreview.SetFontName(entry->FamilyName);
    shownStyle_ = FindFaceStyle(s_.Fonts, entry->FamilyName, shown);
    if (shownStyle_.Bold) c_.memDispPreview.SetBold(true);
    if (shownStyle_.Italic) c_.memDispPreview.SetItalic(true);
  } else {
    shownStyle_ = {};
    c_.memDispPreview.SetFontName(shown);
  }
  c_.memDispPreview.repaint();
  c_.lblPreviewSample.SetCaption("Sample: " + shown);
  c_.lblPreviewSample.repaint();
}

void PreviewFonts::lstPreviewClick() {
  ShowPreviewFont(c_.Lists.lstPreview);
}

void PreviewFonts::lstSelectedClick() {
  ShowPreviewFont(c_.Lists.lstSelected);
}

void PreviewFonts::cmdAddClick() {
  lists_.cmdAddClick();
  lstPreviewClick();
}

void PreviewFonts::spnPreviewSizeChange() {
  if (c_.spnPreviewSize.InRange()) c_.memDispPreview.SetFontPoints(c_.spnPreviewSize.Value());
}

void PreviewFonts::LeavePage() {
  if (reading_.Abandon()) {
    leftWhileReading_ = true;
    return;
  }
  // A print still draws from the selected faces' files, and holds the printer's document open.
  if (printing_.Running) {
    leftWhilePrinting_ = true;
    return;
  }
  const BusyCursor busy(s_.Screen);
  c_.Lists.lstPreview.Clear();
  c_.lstPreview2.Clear();
  c_.Lists.lstSelected.Clear();
  c_.cmdPreview.setEnabled(c_.File1.Count() > 0);
  for (QPushButton* button : {&c_.Lists.cmdInstall, &c_.Lists.cmdPreviewPrint, &c_.Lists.cmdAdd,
                              &c_.Lists.cmdAddAll, &c_.Lists.cmdRemove, &c_.Lists.cmdRemoveAll}) {
    button->setEnabled(false);
  }
  c_.lblPreviewSample.SetCaption("Sample");
  SetSampleShown(false);
  lists_.ShowPreviewCounts();
  leases_.TakeBackShown();
  leases_.TakeBackPrinted();
  s_.Printer.SetPrinterIndex(s_.Printer.PrinterIndex());
  fonts_.FillFontList();
  fonts_.AddListedFontsToScreenFontSet();
}

void PreviewFonts::PrintRunEnded(bool onPage) {
  if (std::exchange(leftWhilePrinting_, false) && !onPage) LeavePage();
}

void PreviewFonts::CloseWindow() {
  reading_.Abandon();
  leases_.TakeBackShown();
  leases_.TakeBackPrinted();
}

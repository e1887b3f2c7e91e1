#pragma once

#include <string>
#include <vector>

#include "install/FaceStyle.h"
#include "install/FontFileLeases.h"
#include "install/PreviewLists.h"
#include "install/PreviewReading.h"

class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class FontList;
class IFontServices;
class IFontTable;
class IMessageBoxes;
class IMessageDispatch;
class IPrinter;
class IScreen;
class Label;
class ListBox;
class Memo;
class QFrame;
class QProgressBar;
class QPushButton;
class SpinEdit;
struct PrintJobState;

struct PreviewControls {
  DriveComboBox& Drive1;
  DirectoryListBox& Dir1;
  FileListBox& File1;
  Label& lblFontFiles;
  QPushButton& cmdPreview;
  QFrame& pnlLoading;
  Label& lblLoading;
  QProgressBar& gaugeLoading;
  QPushButton& cmdPreviewCancel;
  ListBox& lstPreview2;
  PreviewListControls Lists;
  Label& lblPreviewSample;
  Memo& memDispPreview;
  SpinEdit& spnPreviewSize;
};

struct PreviewServices {
  IFontTable& FontTable;
  IFontServices& Fonts;
  IScreen& Screen;
  IMessageBoxes& Messages;
  IMessageDispatch& Dispatch;
  IPrinter& Printer;
};

// The Preview/Install page's browsing: the font files of a directory, the faces read from them,
// and a face shown from its file, which is lent to the font table for as long as it is shown.
// The reading, the lists and the lent files are each a part of their own.
class PreviewFonts {
 public:
  PreviewFonts(const PreviewControls& controls, const PreviewServices& services, FontList& fonts,
               const PrintJobState& printing);

  void Drive1Change();
  void Dir1Change();
  void cmdPreviewClick();
  void cmdPreviewCancelClick() { reading_.Cancel(); }
  void lstPreviewClick();
  void lstSelectedClick();
  void cmdAddClick();
  void cmdAddAllClick() { lists_.cmdAddAllClick(); }
  void cmdRemoveClick() { lists_.cmdRemoveClick(); }
  void cmdRemoveAllClick() { lists_.cmdRemoveAllClick(); }
  void spnPreviewSizeChange();
  // Leaving the page: lists emptied, every preview file taken back, the installed fonts read
  // anew. During a reading, the reading ends first and nothing it read is listed. During a
  // print, all that waits until the print has ended, unless the page is back by then.
  void LeavePage();
  void PrintRunEnded(bool onPage);
  // Closing the window: a reading ends, and every preview file is taken back.
  void CloseWindow();

  void ShowPreviewFont(ListBox& list);
  // The style the face shown last was found to have.
  FaceStyle ShownStyle() const { return shownStyle_; }

  const PreviewReading& Reading() const { return reading_; }
  PreviewLists& Lists() { return lists_; }
  FontFileLeases& Leases() { return leases_; }

 private:
  void SetSampleShown(bool shown);

  PreviewControls c_;
  PreviewServices s_;
  FontList& fonts_;
  const PrintJobState& printing_;
  PreviewReading reading_;
  PreviewLists lists_;
  FontFileLeases leases_;
  FaceStyle shownStyle_;
  bool folderChangedWhileReading_ = false;
  bool leftWhileReading_ = false;
  bool leftWhilePrinting_ = false;
};

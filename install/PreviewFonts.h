#pragma once

#include <string>
#include <vector>

#include "install/FontFileEntry.h"

struct FontStyleRecord;
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
  ListBox& lstPreview;
  Label& lblPAvailable;
  ListBox& lstSelected;
  Label& lblPSelected;
  QPushButton& cmdAdd;
  QPushButton& cmdAddAll;
  QPushButton& cmdRemove;
  QPushButton& cmdRemoveAll;
  Label& lblPreviewSample;
  Memo& memDispPreview;
  SpinEdit& spnPreviewSize;
  QPushButton& cmdInstall;
  QPushButton& cmdPreviewPrint;
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
// the lists of available and selected faces, and a face shown from its file, which is added to
// the font table for as long as it is shown.
class PreviewFonts {
 public:
  PreviewFonts(const PreviewControls& controls, const PreviewServices& services, FontList& fonts);

  void Drive1Change();
  void Dir1Change();
  void cmdPreviewClick();
  void cmdPreviewCancelClick() {
    if (reading_ == Reading::Running) reading_ = Reading::Cancelled;
  }
  void lstPreviewClick();
  void lstSelectedClick();
  void cmdAddClick();
  void cmdAddAllClick();
  void cmdRemoveClick();
  void cmdRemoveAllClick();
  void spnPreviewSizeChange();
  // Leaving the page: lists emptied, every preview file removed, the installed fonts read anew.
  // During a reading, the reading ends first and nothing it read is listed.
  void LeavePage();
  // Ends a reading of the folder without listing what it read; false when none runs.
  bool EndReading();

  void ShowPreviewFont(ListBox& list);
  // Sets FaceIsBold and FaceIsItalic from the faces the system reports for the name (a family,
  // or a face's full name): both cleared first; the face whose full name is fullName decides,
  // or, when none has it, the last face reported.
  void FindFaceStyle(const std::string& name, const std::string& fullName);
  void ShowPreviewCounts();
  void UnloadShownFont();
  void UnloadPrintedFonts();
  // Records a face whose file the preview print added, so that it is removed later.
  void RecordPrintedFace(const FontFace& face);
  void SetPrintedPreviewDir(const std::string& dir) { printedPreviewDir_ = dir; }

  const std::string& PreviewDir() const { return previewDir_; }
  const std::string& ShownPreviewFile() const { return shownPreviewFile_; }
  const std::vector<FontFace>& LoadedPreviewFiles() const { return loadedPreviewFiles_; }
  const std::string& PrintedPreviewDir() const { return printedPreviewDir_; }
  bool FaceIsBold() const { return faceIsBold_; }
  bool FaceIsItalic() const { return faceIsItalic_; }

  static int FirstSelectedIndex(const ListBox& list);
  static void MoveSelectedItems(ListBox& source, ListBox& target);
  void RestoreItemIndex(ListBox& list, int index);
  void UpdateMoveButtons();

 private:
  enum class Reading { Idle, Running, Cancelled, Abandoned };
  // Reads the names of every file listed; how the reading ended.
  Reading ReadFolder();
  void StyleEnumProc(const FontStyleRecord& face);
  void MoveAll(ListBox& source, ListBox& target);
  void SetSampleShown(bool shown);
  void AddAndAnnounce(const std::string& path);
  void RemoveAndAnnounce(const std::string& path);

  PreviewControls c_;
  PreviewServices s_;
  FontList& fonts_;
  std::string previewDir_;
  std::string shownPreviewFile_;
  std::vector<FontFace> loadedPreviewFiles_;
  std::string printedPreviewDir_;
  Reading reading_ = Reading::Idle;
  bool folderChangedWhileReading_ = false;
  bool leftWhileReading_ = false;
  bool faceIsBold_ = false;
  bool faceIsItalic_ = false;
};

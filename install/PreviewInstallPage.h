#pragma once

class DesignScale;
class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class Label;
class ListBox;
class Memo;
class QFrame;
class QProgressBar;
class QPushButton;
class QWidget;
class SpinEdit;

// The controls of the Preview/Install page.
struct PreviewInstallPage {
  PreviewInstallPage(QWidget* tab, const DesignScale& scale);

  DirectoryListBox* Dir1;
  DriveComboBox* Drive1;
  Label* lblFontFiles;
  FileListBox* File1;
  QPushButton* cmdPreview;
  Label* lblPAvailable;
  ListBox* lstPreview;
  QPushButton* cmdAdd;
  QPushButton* cmdAddAll;
  QPushButton* cmdRemove;
  QPushButton* cmdRemoveAll;
  Label* lblPSelected;
  ListBox* lstSelected;
  Label* lblPreviewSample;
  Memo* memDispPreview;
  SpinEdit* spnPreviewSize;
  SpinEdit* spnPreviewPrintSize;
  QPushButton* cmdInstall;
  QPushButton* cmdPreviewPrint;
  QFrame* pnlLoading;
  Label* lblLoading;
  QProgressBar* gaugeLoading;
  QPushButton* cmdPreviewCancel;
  ListBox* lstPreview2;
};

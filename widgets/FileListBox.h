#pragma once

#include <QListWidget>
#include <string>

// The file chooser: the names of the visible files of one folder that match a mask, sorted
// without regard to case. Links to files are listed; folders and hidden files are not.
class FileListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit FileListBox(QWidget* parent = nullptr);

  // A file name pattern: "*" for any run of characters, "?" for one, everything else itself
  // without regard to case; several patterns separated by ";" list a file matching any of them.
  // An empty mask is "*". Fills the list again when a folder is set.
  void SetMask(const std::string& mask);
  const std::string& Mask() const { return mask_; }

  // Lists the folder (normalised like DirectoryListBox::Normalized). A folder that cannot be
  // read gives an empty list.
  void SetDirectory(const std::string& dir);
  const std::string& Directory() const { return directory_; }

  int Count() const { return count(); }
  // The name of the file at index, without its folder, as the file system spells it: its bytes,
  // which need not be UTF-8 (the list shows such bytes as replacement characters). PlatformError
  // out of range.
  std::string FileName(int index) const;

 private:
  void Fill();

  std::string mask_ = "*";
  std::string directory_;
};

#pragma once

#include <QListWidget>
#include <functional>
#include <string>

// The folder chooser: the path of the current folder as a small tree, one open-folder row per
// folder from "/" down to the current one, then the current folder's visible subfolders one level
// deeper. The user opens a row by double-clicking it or pressing Enter; a single click only
// selects. The program's own process directory is never changed.
class DirectoryListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit DirectoryListBox(QWidget* parent = nullptr);

  // dir made absolute (against the process's current directory), with "." and ".." resolved by
  // name alone and no trailing "/" except for the root. An empty dir is the current directory.
  static std::string Normalized(const std::string& dir);

  const std::string& Directory() const { return directory_; }
  // Makes dir (normalised) the current folder, fills the list again and runs OnChange, also when
  // dir is already current, so that whatever follows the list sees new or removed folders. A
  // folder that cannot be listed throws PlatformError "Cannot read the folder <dir>" and leaves
  // everything as it was.
  void SetDirectory(const std::string& dir);

  // The full path of the folder a row stands for. Paths here are the file system's bytes, which
  // need not be UTF-8; the rows show such bytes as replacement characters.
  std::string ItemPath(int row) const;

  std::function<void()> OnChange;
  // Shows the error of a folder the user opened but that cannot be read; without it such an
  // error is dropped and the list stays as it was.
  std::function<void(const std::string&)> OnError;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Open(QListWidgetItem* item);
  void Open(const std::string& path);

  std::string directory_;
  bool clickInProgress_ = false;
};

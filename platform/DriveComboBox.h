#pragma once

#include <QComboBox>
#include <functional>
#include <string>
#include <vector>

// The drive chooser: a drop-down list of the mounted local file systems, each shown by its mount
// point. Setting the drive from the program is quiet; OnChange runs only when the user picks a
// different entry with the mouse or the keyboard.
class DriveComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveComboBox(QWidget* parent = nullptr);

  // The mount points of the local file systems listed in a mount table in the format of
  // /proc/self/mounts. Pseudo, memory-backed, network and FUSE file systems and package images
  // are left out; "/" is always there, first, even when the table cannot be read or the root is
  // an overlay. The rest follow in byte order, each once.
  static std::vector<std::string> LocalMounts(const std::string& mountTable = "/proc/self/mounts");

  // The mount point among mounts that path lies on: the longest one that is path itself or a
  // parent folder of it. Empty when none is.
  static std::string MountOf(const std::string& path, const std::vector<std::string>& mounts);

  // The mount point of the current entry.
  std::string Drive() const;
  // Makes mount the current entry, adding it in its sorted place when the list lacks it. Does not
  // run OnChange.
  void SetDrive(const std::string& mount);

  std::function<void()> OnChange;

 private:
  void Picked(int index);

  std::string drive_;
};

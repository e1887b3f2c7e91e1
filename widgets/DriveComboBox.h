#pragma once

#include <QComboBox>
#include <functional>
#include <string>

// The drive chooser: a drop-down list of the mounted local file systems, each shown by its mount
// point. Setting the drive from the program is quiet; OnChange runs only when the user picks a
// different entry with the mouse or the keyboard.
class DriveComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveComboBox(QWidget* parent = nullptr);

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

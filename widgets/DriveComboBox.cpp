#include "widgets/DriveComboBox.h"

#include <QStyle>

#include "platform/files/MountTable.h"
#include "platform/text/QtText.h"

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
  for (const std::string& mount : MountTable::LocalMounts()) addItem(icon, ToQString(mount));
  if (count() > 0) {
    setCurrentIndex(0);
    drive_ = Drive();
  }
  // activated is sent for the user's choices only (mouse or keyboard), never for setCurrentIndex.
  connect(this, &QComboBox::activated, this, &DriveComboBox::Picked);
}

std::string DriveComboBox::Drive() const {
  return currentIndex() < 0 ? std::string() : ToStdString(itemText(currentIndex()));
}

void DriveComboBox::SetDrive(const std::string& mount) {
  const std::string drive = MountTable::WithoutTrailingSlash(mount);
  const QString text = ToQString(drive);
  int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) {
    index = 0;
    while (index < count() && ToStdString(itemText(index)) < drive) ++index;
    insertItem(index, style()->standardIcon(QStyle::SP_DriveHDIcon), text);
  }
  setCurrentIndex(index);
  drive_ = drive;
}

void DriveComboBox::Picked(int index) {
  const std::string drive = ToStdString(itemText(index));
  // Picking the entry that is already current changes nothing.
  if (drive == drive_) return;
  drive_ = drive;
  if (OnChange) OnChange();
}

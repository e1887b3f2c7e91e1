#include "widgets/FileListBox.h"

#include <QFile>
#include <QStringList>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/files/FilesMatching.h"
#include "widgets/DirectoryListBox.h"

namespace {

// The name as the file system spells it: its bytes, which need not be UTF-8 and would not survive
// a trip through the shown text.
constexpr int kNameRole = Qt::UserRole;

}  // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // A font folder can hold tens of thousands of files; equal rows spare measuring each one.
  setUniformItemSizes(true);
}

void FileListBox::SetMask(const std::string& mask) {
  mask_ = mask.empty() ? "*" : mask;
  if (!directory_.empty()) Fill();
}

void FileListBox::SetDirectory(const std::string& dir) {
  directory_ = DirectoryListBox::Normalized(dir);
  Fill();
}

std::string FileListBox::FileName(int index) const {
  if (index < 0 || index >= count()) {
    throw PlatformError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return item(index)->data(kNameRole).toByteArray().toStdString();
}

void FileListBox::Fill() {
  const std::vector<std::string> names = FilesMatching(directory_, mask_);
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names)
    shown.append(QFile::decodeName(QByteArray::fromStdString(name)));
  clear();
  // All rows in one insertion, which a folder of many files needs, then each row's name.
  addItems(shown);
  for (int row = 0; row < count(); ++row) {
    item(row)->setData(kNameRole, QByteArray::fromStdString(names[static_cast<std::size_t>(row)]));
  }
}

#include "widgets/FileListBox.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/text/QtText.h"
#include "widgets/DirectoryListBox.h"

namespace {

// The name as the file system spells it: its bytes, which need not be UTF-8 and would not survive
// a trip through the shown text.
constexpr int kNameRole = Qt::UserRole;

using CodePoints = decltype(QString().toUcs4());

// Case folding per code point, so "?" stands for one character also beyond the BMP.
CodePoints Folded(const QString& text) {
  return text.toCaseFolded().toUcs4();
}

// Glob matching with "*" and "?": the usual single-backtrack walk, linear for one "*" and never
// exponential.
bool Matches(const CodePoints& pattern, const CodePoints& name) {
  qsizetype p = 0;
  qsizetype n = 0;
  qsizetype star = -1;
  qsizetype resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      star = p++;
      resume = n;
    } else if (star >= 0) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

struct ListedFile {
  QString Shown;
  QByteArray Name;
};

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
  std::vector<CodePoints> patterns;
  for (const QString& part : ToQString(mask_).split(u';', Qt::SkipEmptyParts)) {
    patterns.push_back(Folded(part.trimmed()));
  }

  std::vector<ListedFile> files;
  std::error_code error;
  std::filesystem::directory_iterator entries(directory_, error);
  const std::filesystem::directory_iterator end;
  while (!error && entries != end) {
    const std::string name = entries->path().filename().string();
    if (!name.starts_with('.')) {
      // Bytes that are not UTF-8 show, and match "?", as replacement characters.
      QByteArray bytes = QByteArray::fromStdString(name);
      QString shown = QFile::decodeName(bytes);
      const CodePoints folded = Folded(shown);
      const bool wanted = std::any_of(patterns.begin(), patterns.end(),
                                      [&](const CodePoints& p) { return Matches(p, folded); });
      // Only a matching name costs a look at the file's type, which for a link means a stat();
      // is_regular_file follows links, so a link to a font file is listed.
      std::error_code typeError;
      if (wanted && entries->is_regular_file(typeError)) {
        files.push_back({std::move(shown), std::move(bytes)});
      }
    }
    entries.increment(error);
  }
  // A folder that fails part way lists what was read; one that cannot be opened lists nothing.

  // Names that show alike (differing only in bytes that are not UTF-8) go by their bytes.
  std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
    const int order = QString::compare(a.Shown, b.Shown, Qt::CaseInsensitive);
    if (order != 0) return order < 0;
    return a.Shown != b.Shown ? a.Shown < b.Shown : a.Name < b.Name;
  });
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(files.size()));
  for (const ListedFile& file : files) shown.append(file.Shown);
  clear();
  // All rows in one insertion, which a folder of many files needs, then each row's name.
  addItems(shown);
  for (int row = 0; row < count(); ++row) item(row)->setData(kNameRole, files[row].Name);
}

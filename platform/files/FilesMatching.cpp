#include "platform/files/FilesMatching.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/text/QtText.h"

namespace {

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
  std::string Name;
};

}  // namespace

std::vector<std::string> FilesMatching(const std::string& folder, const std::string& mask) {
  std::vector<CodePoints> patterns;
  for (const QString& part : ToQString(mask).split(u';', Qt::SkipEmptyParts)) {
    patterns.push_back(Folded(part.trimmed()));
  }

  std::vector<ListedFile> files;
  std::error_code error;
  std::filesystem::directory_iterator entries(folder, error);
  const std::filesystem::directory_iterator end;
  while (!error && entries != end) {
    std::string name = entries->path().filename().string();
    if (!name.starts_with('.')) {
      // Bytes that are not UTF-8 show, and match "?", as replacement characters.
      QString shown = QFile::decodeName(QByteArray::fromStdString(name));
      const CodePoints folded = Folded(shown);
      const bool wanted = std::any_of(patterns.begin(), patterns.end(),
                                      [&](const CodePoints& p) { return Matches(p, folded); });
      // Only a matching name costs a look at the file's type, which for a link means a stat();
      // is_regular_file follows links, so a link to a font file is listed.
      std::error_code typeError;
      if (wanted && entries->is_regular_file(typeError)) {
        files.push_back({std::move(shown), std::move(name)});
      }
    }
    entries.increment(error);
  }

  // Names that show alike (differing only in bytes that are not UTF-8) go by their bytes.
  std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
    const int order = QString::compare(a.Shown, b.Shown, Qt::CaseInsensitive);
    if (order != 0) return order < 0;
    return a.Shown != b.Shown ? a.Shown < b.Shown : a.Name < b.Name;
  });
  std::vector<std::string> names;
  names.reserve(files.size());
  for (ListedFile& file : files) names.push_back(std::move(file.Name));
  return names;
}

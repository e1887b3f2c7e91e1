#include "PreviewOrder.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <system_error>

std::vector<std::string> TrueTypeFilesInListOrder(const std::string& directory) {
  QStringList names;
  std::error_code error;
  for (std::filesystem::directory_iterator entries(directory, error), end; !error && entries != end;
       entries.increment(error)) {
    const std::string name = entries->path().filename().string();
    if (name.starts_with('.')) continue;
    const QString shown = QString::fromStdString(name);
    if (!shown.endsWith(QStringLiteral(".ttf"), Qt::CaseInsensitive)) continue;
    std::error_code typeError;
    if (entries->is_regular_file(typeError)) names.append(shown);
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int order = QString::compare(a, b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
  });
  std::vector<std::string> files;
  files.reserve(static_cast<std::size_t>(names.size()));
  for (const QString& name : names) files.push_back(name.toStdString());
  return files;
}

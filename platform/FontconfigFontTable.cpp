#include "platform/FontconfigFontTable.h"

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <optional>

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QWidget>

#include "platform/FaceFont.h"
#include "platform/QtText.h"
#include "platform/ReadOnlyFile.h"

namespace {

const FcChar8* Utf8(const std::string& text) {
  return reinterpret_cast<const FcChar8*>(text.c_str());
}

// The whole file, read with bounded reads; nothing for a file that cannot be read or is larger
// than any font the program shows.
std::optional<QByteArray> ReadFontFile(const std::string& path) {
  constexpr qint64 kLargestFont = qint64{256} << 20;
  const ReadOnlyFile file(path);
  struct stat info {};
  if (!file.IsOpen() || stat(path.c_str(), &info) != 0 || info.st_size > kLargestFont) {
    return std::nullopt;
  }
  QByteArray bytes(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
  bytes.resize(static_cast<qsizetype>(file.ReadUpTo(0, bytes.data(), bytes.size())));
  return bytes;
}

}  // namespace

FontconfigFontTable::~FontconfigFontTable() {
  for (const auto& [path, added] : added_) {
    if (added.QtId >= 0) QFontDatabase::removeApplicationFont(added.QtId);
  }
  if (!added_.empty()) FcConfigAppFontClear(nullptr);
}

void FontconfigFontTable::AddFontResource(const std::string& path) {
  Added& added = added_[path];
  if (added.Count++ > 0) return;
  ForgetFaceChoices();
  // A file that is not a font is taken and counted all the same; drawing then falls back to
  // whatever the system substitutes.
  FcConfigAppFontAddFile(nullptr, Utf8(path));
  // The toolkit draws from a copy in memory: a mapped file that shrinks or vanishes while shown
  // would take the program down at the next glyph it reads.
  if (const std::optional<QByteArray> bytes = ReadFontFile(path)) {
    added.QtId = QFontDatabase::addApplicationFontFromData(*bytes);
  }
}

void FontconfigFontTable::RemoveFontResource(const std::string& path) {
  const auto found = added_.find(path);
  if (found == added_.end()) return;
  if (--found->second.Count > 0) return;
  if (found->second.QtId >= 0) QFontDatabase::removeApplicationFont(found->second.QtId);
  added_.erase(found);
  RebuildApplicationFonts();
  ForgetFaceChoices();
}

void FontconfigFontTable::RebuildApplicationFonts() {
  FcConfigAppFontClear(nullptr);
  for (const auto& entry : added_) FcConfigAppFontAddFile(nullptr, Utf8(entry.first));
}

void FontconfigFontTable::BroadcastFontChange() {
  // A face chosen for a name may have come or gone with the change.
  ForgetFaceChoices();
  if (QCoreApplication::instance() == nullptr) return;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    QEvent change(QEvent::ApplicationFontChange);
    QCoreApplication::sendEvent(window, &change);
  }
}

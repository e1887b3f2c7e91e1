#include "platform/FontconfigFontTable.h"

#include <optional>

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QWidget>

#include "platform/AddedFaces.h"
#include "platform/FaceFont.h"
#include "platform/ReadOnlyFile.h"

namespace {

// Larger than any font the program shows.
constexpr std::size_t kLargestFont = std::size_t{256} << 20;

}  // namespace

FontconfigFontTable::~FontconfigFontTable() {
  for (const auto& [path, added] : added_) {
    if (added.QtId >= 0) QFontDatabase::removeApplicationFont(added.QtId);
    AddedFaces::Remove(path);
  }
}

void FontconfigFontTable::AddFontResource(const std::string& path) {
  Added& added = added_[path];
  if (added.Count++ > 0) return;
  ForgetFaceChoices();
  // A file that is not a font is taken and counted all the same; drawing then falls back to
  // whatever the system substitutes. The faces are listed and drawn from one copy in memory: a
  // mapped file that shrinks or vanishes while shown would take the program down at the next
  // glyph read from it.
  if (const std::optional<std::string> bytes = ReadWholeFileAtMost(path, kLargestFont)) {
    AddedFaces::Add(path, *bytes);
    added.QtId = QFontDatabase::addApplicationFontFromData(
        QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())));
  }
}

void FontconfigFontTable::RemoveFontResource(const std::string& path) {
  const auto found = added_.find(path);
  if (found == added_.end()) return;
  if (--found->second.Count > 0) return;
  if (found->second.QtId >= 0) QFontDatabase::removeApplicationFont(found->second.QtId);
  AddedFaces::Remove(path);
  added_.erase(found);
  ForgetFaceChoices();
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

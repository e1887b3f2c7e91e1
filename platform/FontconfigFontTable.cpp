#include "platform/FontconfigFontTable.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QWidget>

#include "platform/FaceFont.h"
#include "platform/QtText.h"

namespace {

const FcChar8* Utf8(const std::string& text) {
  return reinterpret_cast<const FcChar8*>(text.c_str());
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
  // A file that is not a font is taken and counted all the same; drawing then falls back to
  // whatever the system substitutes.
  FcConfigAppFontAddFile(nullptr, Utf8(path));
  added.QtId = QFontDatabase::addApplicationFont(ToQString(path));
}

void FontconfigFontTable::RemoveFontResource(const std::string& path) {
  const auto found = added_.find(path);
  if (found == added_.end()) return;
  if (--found->second.Count > 0) return;
  if (found->second.QtId >= 0) QFontDatabase::removeApplicationFont(found->second.QtId);
  added_.erase(found);
  RebuildApplicationFonts();
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

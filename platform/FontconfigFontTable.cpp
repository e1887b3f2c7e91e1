#include "platform/FontconfigFontTable.h"

#include <optional>

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QWidget>

#include "platform/AddedFaces.h"
#include "platform/FaceFont.h"
#include "platform/QtText.h"
#include "platform/ReadOnlyFile.h"

namespace {

// Larger than any font the program shows.
constexpr std::size_t kLargestFont = std::size_t{256} << 20;

std::vector<std::string> FamiliesOf(int qtId) {
  std::vector<std::string> families;
  for (const QString& family : QFontDatabase::applicationFontFamilies(qtId)) {
    families.push_back(ToStdString(family));
  }
  return families;
}

std::string_view View(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

FontconfigFontTable::~FontconfigFontTable() {
  for (const auto& [path, added] : added_) {
    if (added.QtId >= 0) QFontDatabase::removeApplicationFont(added.QtId);
    AddedFaces::Remove(path);
  }
  LetGo(kept_.All());
}

void FontconfigFontTable::AddFontResource(const std::string& path) {
  Added& added = added_[path];
  if (added.Count++ > 0) return;
  ForgetFaceChoices();
  Register(path, added);
}

void FontconfigFontTable::Register(const std::string& path, Added& added) {
  if (const std::optional<int> kept = kept_.TakeBack(path)) {
    added.QtId = *kept;
    AddedFaces::Add(path, View(bytes_[*kept]));
    return;
  }
  // A file that is not a font is taken and counted all the same; drawing then falls back to
  // whatever fontconfig substitutes. The faces are listed and drawn from one copy in memory: a
  // mapped file that shrinks or vanishes while shown would take the program down at the next
  // glyph read from it.
  const std::optional<std::string> read = ReadWholeFileAtMost(path, kLargestFont);
  if (!read) return;
  const QByteArray bytes(read->data(), static_cast<qsizetype>(read->size()));
  AddedFaces::Add(path, View(bytes));
  added.QtId = QFontDatabase::addApplicationFontFromData(bytes);
  if (added.QtId < 0) return;
  bytes_[added.QtId] = bytes;
  LetGo(kept_.SharingFamily(FamiliesOf(added.QtId)));
}

void FontconfigFontTable::RemoveFontResource(const std::string& path) {
  const auto found = added_.find(path);
  if (found == added_.end()) return;
  if (--found->second.Count > 0) return;
  const int qtId = found->second.QtId;
  AddedFaces::Remove(path);
  added_.erase(found);
  ForgetFaceChoices();
  if (qtId >= 0) kept_.Keep(path, qtId, FamiliesOf(qtId));
  LetGo(kept_.Due(added_.size()));
}

void FontconfigFontTable::LetGo(const std::vector<int>& qtIds) {
  for (const int id : qtIds) {
    QFontDatabase::removeApplicationFont(id);
    bytes_.erase(id);
  }
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

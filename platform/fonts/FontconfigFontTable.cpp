#include "platform/fonts/FontconfigFontTable.h"

#include <optional>

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QWidget>

#include "platform/files/ReadOnlyFile.h"
#include "platform/fonts/AddedFaces.h"
#include "platform/fonts/CollectionFonts.h"
#include "platform/fonts/FaceFont.h"
#include "platform/fonts/WebFonts.h"
#include "platform/text/QtText.h"

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

}  // namespace

FontconfigFontTable::FontconfigFontTable(bool sameCopyNamesEachRun)
    : copies_(sameCopyNamesEachRun) {
  RemoveOrphanedFontCopies();
}

FontconfigFontTable::~FontconfigFontTable() {
  for (const auto& [path, added] : added_) {
    if (added.QtId >= 0) instances_.Remove(ToolkitFile(added.QtId));
  }
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
  // A file that is not a font is taken and counted all the same; drawing then falls back to
  // whatever fontconfig substitutes. The faces are listed from the bytes read once and drawn
  // from a private copy of them: the file itself, mapped, would take the program down at the
  // next glyph read from it if it shrank or vanished while shown.
  if (const std::optional<int> kept = kept_.TakeBack(path)) {
    added.QtId = *kept;
    AddedFaces::Add(path, BytesOf(*kept).value_or(std::string()));
    instances_.Add(ToolkitFile(*kept), AddedFaces::NamedInstances(path));
    return;
  }
  std::optional<std::string> read = ReadWholeFileAtMost(path, kLargestFont);
  if (!read) return;
  // A web font is shown and listed from the sfnt it holds; one that does not unpack is taken as
  // a file that is no font.
  if (WebFonts::IsWebFont(*read)) read = WebFonts::Decode(*read).value_or(std::string());
  AddedFaces::Add(path, *read);
  // The toolkit opens every font a collection counts: it is given the ones really there.
  added.QtId = AddToQt(CollectionFonts::CountingOnly(*read, CollectionFonts::Read(*read)));
  if (added.QtId < 0) return;
  LetGo(kept_.SharingFamily(FamiliesOf(added.QtId)));
  instances_.Add(ToolkitFile(added.QtId), AddedFaces::NamedInstances(path));
}

std::string FontconfigFontTable::ToolkitFile(int qtId) const {
  if (const auto copy = copyOf_.find(qtId); copy != copyOf_.end()) return copy->second;
  // The toolkit's own name of a font added from memory.
  return ":qmemoryfonts/" + std::to_string(qtId);
}

std::optional<std::string> FontconfigFontTable::BytesOf(int qtId) const {
  if (const auto copy = copyOf_.find(qtId); copy != copyOf_.end()) {
    return ReadWholeFileAtMost(copy->second, kLargestFont);
  }
  if (const auto bytes = bytes_.find(qtId); bytes != bytes_.end())
    return bytes->second.toStdString();
  return std::nullopt;
}

int FontconfigFontTable::AddToQt(std::string_view bytes) {
  const std::string copy = copies_.Make(bytes);
  if (copy.empty()) {
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const int id = QFontDatabase::addApplicationFontFromData(data);
    if (id >= 0) bytes_[id] = data;
    return id;
  }
  const int id = QFontDatabase::addApplicationFont(ToQString(copy));
  if (id >= 0)
    copyOf_[id] = copy;
  else
    copies_.Remove(copy);
  return id;
}

void FontconfigFontTable::RemoveFontResource(const std::string& path) {
  const auto found = added_.find(path);
  if (found == added_.end()) return;
  if (--found->second.Count > 0) return;
  const int qtId = found->second.QtId;
  AddedFaces::Remove(path);
  if (qtId >= 0) instances_.Remove(ToolkitFile(qtId));
  added_.erase(found);
  ForgetFaceChoices();
  if (qtId >= 0) kept_.Keep(path, qtId, FamiliesOf(qtId));
  LetGo(kept_.Due(added_.size()));
}

void FontconfigFontTable::LetGo(const std::vector<int>& qtIds) {
  if (qtIds.empty()) return;
  // Each removal makes the toolkit rebuild its database.
  instances_.Across([&] {
    for (const int id : qtIds) {
      QFontDatabase::removeApplicationFont(id);
      bytes_.erase(id);
      if (const auto copy = copyOf_.find(id); copy != copyOf_.end()) {
        copies_.Remove(copy->second);
        copyOf_.erase(copy);
      }
    }
  });
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

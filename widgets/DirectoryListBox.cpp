#include "widgets/DirectoryListBox.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/PlatformError.h"

namespace {

// The path as the file system spells it: its bytes, which need not be UTF-8 and would not
// survive a trip through the shown text.
constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;

// Indents each row by its depth in the tree. The indent is drawn rather than put into the text,
// so a screen reader hears the bare folder name.
class IndentDelegate : public QStyledItemDelegate {
 public:
  IndentDelegate(int indent, QObject* parent) : QStyledItemDelegate(parent), indent_(indent) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem shifted(option);
    shifted.rect.adjust(Indent(index), 0, 0, 0);
    QStyledItemDelegate::paint(painter, shifted, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(index), 0);
  }

 private:
  int Indent(const QModelIndex& index) const { return indent_ * index.data(kDepthRole).toInt(); }

  int indent_;
};

// The names of the folders from the root down to path, the root itself as "/".
std::vector<std::string> PathNames(const std::string& path) {
  std::vector<std::string> names{"/"};
  for (const auto& part : std::filesystem::path(path).relative_path())
    names.push_back(part.string());
  return names;
}

std::string Child(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

// A name as shown: bytes that are not UTF-8 show as replacement characters.
QString Shown(const std::string& name) {
  return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string PathOf(const QListWidgetItem& item) {
  return item.data(kPathRole).toByteArray().toStdString();
}

struct Subfolder {
  QString Shown;
  std::string Name;
};

}  // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  setItemDelegate(new IndentDelegate(
      style()->pixelMetric(QStyle::PM_TreeViewIndentation, nullptr, this), this));
  connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    // Styles that open items on a single click send itemActivated from the click; here a click
    // only selects.
    if (!clickInProgress_) Open(item);
  });
}

std::string DirectoryListBox::Normalized(const std::string& dir) {
  std::filesystem::path path(dir);
  if (!path.is_absolute()) {
    std::error_code ignored;
    path = std::filesystem::current_path(ignored) / path;
  }
  std::string text = path.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text.empty() ? "/" : text;
}

void DirectoryListBox::SetDirectory(const std::string& dir) {
  const std::string folder = Normalized(dir);
  // Read the whole folder before touching the list, so that a failure changes nothing.
  std::vector<Subfolder> subfolders;
  std::error_code error;
  std::filesystem::directory_iterator entries(folder, error);
  const std::filesystem::directory_iterator end;
  while (!error && entries != end) {
    const std::string name = entries->path().filename().string();
    std::error_code typeError;
    // is_directory follows symbolic links, so a link to a folder is a folder.
    if (!name.starts_with('.') && entries->is_directory(typeError)) {
      subfolders.push_back({Shown(name), name});
    }
    entries.increment(error);
  }
  if (error) throw PlatformError("Cannot read the folder " + folder);

  // Names that show alike (differing only in bytes that are not UTF-8) go by their bytes.
  std::sort(subfolders.begin(), subfolders.end(), [](const Subfolder& a, const Subfolder& b) {
    const int order = QString::compare(a.Shown, b.Shown, Qt::CaseInsensitive);
    if (order != 0) return order < 0;
    return a.Shown != b.Shown ? a.Shown < b.Shown : a.Name < b.Name;
  });

  const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
  clear();
  const std::vector<std::string> names = PathNames(folder);
  std::string path;
  for (std::size_t depth = 0; depth < names.size(); ++depth) {
    path = depth == 0 ? "/" : Child(path, names[depth]);
    auto* row = new QListWidgetItem(openIcon, Shown(names[depth]), this);
    row->setData(kPathRole, QByteArray::fromStdString(path));
    row->setData(kDepthRole, static_cast<int>(depth));
  }
  QListWidgetItem* current = item(count() - 1);
  for (const Subfolder& subfolder : subfolders) {
    auto* row = new QListWidgetItem(closedIcon, subfolder.Shown, this);
    row->setData(kPathRole, QByteArray::fromStdString(Child(folder, subfolder.Name)));
    row->setData(kDepthRole, static_cast<int>(names.size()));
  }
  setCurrentItem(current);
  scrollToItem(current);
  directory_ = folder;
  if (OnChange) OnChange();
}

std::string DirectoryListBox::ItemPath(int row) const {
  const QListWidgetItem* entry = item(row);
  if (entry == nullptr) {
    throw PlatformError("List index out of bounds (" + std::to_string(row) + ")");
  }
  return PathOf(*entry);
}

void DirectoryListBox::Open(QListWidgetItem* item) {
  if (item != nullptr) Open(PathOf(*item));
}

void DirectoryListBox::Open(const std::string& path) {
  try {
    SetDirectory(path);
  } catch (const PlatformError& error) {
    if (OnError) OnError(error.what());
  }
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event) {
  // The view would open the row and then pass Enter on, where a dialog's default button would
  // take it as well; here Enter belongs to the list.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    Open(currentItem());
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}

void DirectoryListBox::mouseReleaseEvent(QMouseEvent* event) {
  clickInProgress_ = true;
  QListWidget::mouseReleaseEvent(event);
  clickInProgress_ = false;
}

void DirectoryListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  // Single-click styles send no itemActivated for a double click, so open the row here for them.
  // The path is taken first: the handlers of the double click may fill the list again.
  const QListWidgetItem* target = itemAt(event->position().toPoint());
  const std::string path = target != nullptr ? PathOf(*target) : std::string();
  const bool opensOnClick =
      style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick, nullptr, this) != 0;
  QListWidget::mouseDoubleClickEvent(event);
  if (opensOnClick && event->button() == Qt::LeftButton && !path.empty()) Open(path);
}

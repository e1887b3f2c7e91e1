#include "widgets/ListBox.h"

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/PlatformError.h"
#include "widgets/ListBoxModel.h"

namespace {

// Marks a selection change as the program's, so the user's selection handling does not run.
class ProgramChange {
 public:
  explicit ProgramChange(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~ProgramChange() { flag_ = saved_; }
  ProgramChange(const ProgramChange&) = delete;
  ProgramChange& operator=(const ProgramChange&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

// Rows of a fixed height: the design gives a list its item height, where Qt would follow the font.
class FixedRowHeight final : public QStyledItemDelegate {
 public:
  FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(height_);
    return size;
  }

 private:
  int height_;
};

}  // namespace

void ListBox::SetItemHeight(int pixels) {
  setItemDelegate(new FixedRowHeight(pixels, this));
}

ListBox::ListBox(QWidget* parent) : QListView(parent), model_(new ListBoxModel(this)) {
  setModel(model_);
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (!programChange_ && OnClick) OnClick();
  });
}

void ListBox::SetMultiSelect(bool multiple) {
  setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection
                            : QAbstractItemView::SingleSelection);
}

int ListBox::Count() const {
  return model_->Count();
}

void ListBox::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw PlatformError("List index out of bounds (" + std::to_string(index) + ")");
  }
}

QModelIndex ListBox::ModelIndex(int index) const {
  return model_->index(index, 0);
}

const std::string& ListBox::Text(int index) const {
  CheckIndex(index);
  return model_->At(index).Text;
}

std::shared_ptr<ListItemData> ListBox::Object(int index) const {
  CheckIndex(index);
  return model_->At(index).Object;
}

void ListBox::Clear() {
  ProgramChange change(programChange_);
  model_->Clear();
}

int ListBox::Add(std::string text, std::shared_ptr<ListItemData> object) {
  ProgramChange change(programChange_);
  const int index = sorted_ ? model_->SortedPosition(text) : Count();
  model_->Insert(index, std::move(text), std::move(object));
  return index;
}

void ListBox::AddAll(const std::vector<std::string>& texts) {
  ProgramChange change(programChange_);
  std::vector<ListBoxModel::Item> items;
  items.reserve(texts.size());
  for (const std::string& text : texts) items.push_back(ListBoxModel::MakeItem(text));
  model_->Append(std::move(items), sorted_);
}

void ListBox::Delete(int index) {
  CheckIndex(index);
  ProgramChange change(programChange_);
  // The view moves the focus off a removed item and, in a single-selection list, would select
  // its neighbour with it; the other items keep exactly the selection they had.
  std::vector<int> selected;
  for (const QModelIndex& item : selectionModel()->selectedIndexes()) {
    if (item.row() != index) selected.push_back(item.row() > index ? item.row() - 1 : item.row());
  }
  const int current = selectionModel()->currentIndex().row();
  model_->Remove(index);
  selectionModel()->clearSelection();
  for (int row : selected) selectionModel()->select(ModelIndex(row), QItemSelectionModel::Select);
  if (current >= 0 && Count() > 0) {
    const int moved = current > index ? current - 1 : std::min(current, Count() - 1);
    selectionModel()->setCurrentIndex(ModelIndex(moved), QItemSelectionModel::NoUpdate);
  }
}

bool ListBox::Selected(int index) const {
  CheckIndex(index);
  return selectionModel()->isSelected(ModelIndex(index));
}

void ListBox::SetSelected(int index, bool selected) {
  CheckIndex(index);
  ProgramChange change(programChange_);
  selectionModel()->select(ModelIndex(index),
                           selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void ListBox::SelectRange(int first, int last) {
  if (first > last) return;
  CheckIndex(first);
  CheckIndex(last);
  ProgramChange change(programChange_);
  selectionModel()->select(QItemSelection(ModelIndex(first), ModelIndex(last)),
                           QItemSelectionModel::Select);
}

int ListBox::SelCount() const {
  int count = 0;
  for (const QItemSelectionRange& range : selectionModel()->selection()) count += range.height();
  return count;
}

std::vector<int> ListBox::SelectedIndexes() const {
  // Ranges, not rows, are sorted: a selection is a few ranges however many rows it holds.
  std::vector<std::pair<int, int>> ranges;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    ranges.emplace_back(range.top(), range.bottom());
  }
  std::sort(ranges.begin(), ranges.end());
  std::vector<int> indexes;
  int next = 0;  // ranges may overlap; each row is given once
  for (const auto& [top, bottom] : ranges) {
    for (int row = std::max(top, next); row <= bottom; ++row) indexes.push_back(row);
    next = std::max(next, bottom + 1);
  }
  return indexes;
}

int ListBox::ItemIndex() const {
  const QModelIndex current = selectionModel()->currentIndex();
  if (current.isValid()) return current.row();
  return Count() > 0 ? 0 : -1;
}

void ListBox::SetItemIndex(int index) {
  CheckIndex(index);
  ProgramChange change(programChange_);
  const auto flags = selectionMode() == QAbstractItemView::SingleSelection
                         ? QItemSelectionModel::ClearAndSelect
                         : QItemSelectionModel::NoUpdate;
  selectionModel()->setCurrentIndex(ModelIndex(index), flags);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  // Shift+F10 is the keyboard's other way to a context menu; the toolkit turns only the Menu key
  // into one on this platform.
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier &&
      !ContextCommands.empty()) {
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), mapToGlobal(QPoint()));
    contextMenuEvent(&menu);
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

void ListBox::contextMenuEvent(QContextMenuEvent* event) {
  if (ContextCommands.empty()) {
    QListView::contextMenuEvent(event);
    return;
  }
  QMenu menu(this);
  for (const ContextCommand& command : ContextCommands) {
    QAction* action = menu.addAction(QString::fromStdString(command.Caption));
    connect(action, &QAction::triggered, this, [run = command.Run] { run(); });
  }
  // The Menu key and Shift+F10 open the menu at the focused item, a click where it was clicked.
  QPoint at = event->globalPos();
  if (event->reason() == QContextMenuEvent::Keyboard && currentIndex().isValid()) {
    at = viewport()->mapToGlobal(visualRect(currentIndex()).bottomLeft());
  }
  menu.exec(at);
}

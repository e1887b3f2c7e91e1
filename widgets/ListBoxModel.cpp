#include "widgets/ListBoxModel.h"

#include <algorithm>

#include "platform/text/QtText.h"
#include "platform/text/TextCompare.h"

ListBoxModel::ListBoxModel(QObject* parent) : QAbstractListModel(parent) {}

int ListBoxModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Count();
}

QVariant ListBoxModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Count()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return At(index.row()).Shown;
  return {};
}

void ListBoxModel::Clear() {
  beginResetModel();
  items_.clear();
  endResetModel();
}

void ListBoxModel::Insert(int index, std::string text, std::shared_ptr<ListItemData> object) {
  beginInsertRows(QModelIndex(), index, index);
  items_.insert(items_.begin() + index, MakeItem(std::move(text), std::move(object)));
  endInsertRows();
}

void ListBoxModel::Append(std::vector<Item> items, bool sort) {
  beginResetModel();
  items_.reserve(items_.size() + items.size());
  for (Item& item : items) items_.push_back(std::move(item));
  if (sort) {
    std::vector<QString> texts;
    texts.reserve(items_.size());
    for (const Item& item : items_) texts.push_back(item.Shown);
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (const std::size_t index : TextOrder(texts)) sorted.push_back(std::move(items_[index]));
    items_ = std::move(sorted);
  }
  endResetModel();
}

void ListBoxModel::Remove(int index) {
  beginRemoveRows(QModelIndex(), index, index);
  items_.erase(items_.begin() + index);
  endRemoveRows();
}

int ListBoxModel::SortedPosition(const std::string& text) const {
  const auto place = std::upper_bound(
      items_.begin(), items_.end(), text,
      [](const std::string& t, const Item& item) { return CompareText(t, item.Text) < 0; });
  return static_cast<int>(place - items_.begin());
}

ListBoxModel::Item ListBoxModel::MakeItem(std::string text, std::shared_ptr<ListItemData> object) {
  Item item;
  item.Shown = ToQString(text);
  item.Text = std::move(text);
  item.Object = std::move(object);
  return item;
}

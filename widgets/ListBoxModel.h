#pragma once

#include <QAbstractListModel>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "widgets/ListItemData.h"

// The items of a list box: each a text and the object it refers to.
class ListBoxModel : public QAbstractListModel {
  Q_OBJECT
 public:
  struct Item {
    std::string Text;
    QString Shown;
    std::shared_ptr<ListItemData> Object;
  };

  explicit ListBoxModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  int Count() const { return static_cast<int>(items_.size()); }
  const Item& At(int index) const { return items_[static_cast<std::size_t>(index)]; }

  void Clear();
  void Insert(int index, std::string text, std::shared_ptr<ListItemData> object);
  // Appends many items at once and, when sorted, sorts everything in one pass.
  void Append(std::vector<Item> items, bool sort);
  void Remove(int index);
  // Where a text goes in a list sorted without regard to case: behind its equals.
  int SortedPosition(const std::string& text) const;

  static Item MakeItem(std::string text, std::shared_ptr<ListItemData> object = nullptr);

 private:
  std::vector<Item> items_;
};

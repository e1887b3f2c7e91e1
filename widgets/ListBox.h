#pragma once

#include <QListView>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "widgets/ListItemData.h"

class ListBoxModel;

// A list box: items with a text and a record each (or none), optionally kept sorted without regard
// to case, with single or extended multiple selection. Selecting from the program does not run the
// selection handling (OnClick); the user's selection changes do.
class ListBox : public QListView {
  Q_OBJECT
 public:
  explicit ListBox(QWidget* parent = nullptr);

  void SetMultiSelect(bool multiple);
  void SetSorted(bool sorted) { sorted_ = sorted; }
  // Every row this many pixels tall, whatever the font's height.
  void SetItemHeight(int pixels);
  bool Sorted() const { return sorted_; }

  int Count() const;
  const std::string& Text(int index) const;
  std::shared_ptr<ListItemData> Object(int index) const;
  // The item's record as the type it was added as; null when the item has none. A record of
  // another type is an error of the program, raised rather than read as the wrong type.
  template <typename T>
  std::shared_ptr<T> ObjectAs(int index) const {
    static_assert(std::is_base_of_v<ListItemData, T>);
    const std::shared_ptr<ListItemData> object = Object(index);
    std::shared_ptr<T> typed = std::dynamic_pointer_cast<T>(object);
    if (object && !typed) throw std::logic_error("A list item holds a record of another type");
    return typed;
  }

  void Clear();
  // Adds one item, at its sorted place when the list is sorted; returns its index.
  int Add(std::string text, std::shared_ptr<ListItemData> object = nullptr);
  // Adds many texts at once (sorted in one pass when the list is sorted).
  void AddAll(const std::vector<std::string>& texts);
  void Delete(int index);

  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  // Selects the items first..last in one step, so the list is drawn once.
  void SelectRange(int first, int last);
  int SelCount() const;
  // The selected items' indexes in ascending order, read from the selection's ranges rather than
  // item by item.
  std::vector<int> SelectedIndexes() const;

  // The focused item (the one with the focus rectangle); 0 for a filled list that has none yet,
  // -1 for an empty list.
  int ItemIndex() const;
  // Makes the item the focused one and, in a single-selection list, the selected one.
  void SetItemIndex(int index);

  std::function<void()> OnClick;

  // The commands of the list's context menu (a right click, the Menu key or Shift+F10), by
  // caption; none shows no menu.
  struct ContextCommand {
    std::string Caption;
    std::function<void()> Run;
  };
  std::vector<ContextCommand> ContextCommands;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void CheckIndex(int index) const;
  QModelIndex ModelIndex(int index) const;

  ListBoxModel* model_;
  bool sorted_ = false;
  bool programChange_ = false;
};

#pragma once

// What a list item may carry besides its text: a record of the caller's own type, derived from
// this one. The lists an item moves between share the record, and it is read back by its type,
// so a record of another type is never taken for it.
class ListItemData {
 public:
  virtual ~ListItemData() = default;

 protected:
  ListItemData() = default;
  ListItemData(const ListItemData&) = default;
  ListItemData& operator=(const ListItemData&) = default;
};

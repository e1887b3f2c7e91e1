#pragma once

#include <string>
#include <utility>
#include <vector>

// The face names the screen can display, kept sorted by their case-folded form so that a name is
// found by binary search whatever its letter case. A name already present, in any case, is not
// added again.
class ScreenFontSet {
 public:
  ScreenFontSet() = default;

  // Adds every name; names equal but for case end up as one entry (the first one given).
  void AddAll(const std::vector<std::string>& names);
  void Add(const std::string& name);
  bool Contains(const std::string& name) const;

  std::size_t Count() const { return entries_.size(); }
  std::vector<std::string> Names() const;

 private:
  // Folded key first, the name as given second.
  std::vector<std::pair<std::string, std::string>> entries_;
};

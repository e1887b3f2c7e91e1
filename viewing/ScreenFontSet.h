#pragma once

#include <string>
#include <vector>

// The face names the screen can display, kept sorted without regard to case so that a name is
// found by binary search. A name already present, in any case, is not added again.
class ScreenFontSet {
 public:
  ScreenFontSet() = default;

  // Adds every name; names equal but for case end up as one entry (the first one given).
  void AddAll(const std::vector<std::string>& names);
  void Add(const std::string& name);
  bool Contains(const std::string& name) const;

  std::size_t Count() const { return names_.size(); }
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
};

#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

// When the toolkit lets go of a removed font file. Removing one application font makes the
// toolkit read every other one again before it draws, so with many files added each removal
// would cost as much as all of them. A removed file is kept with the toolkit instead, unseen by
// the program's lists, until the kept files outnumber the files still added: then they go
// together, for one rereading, so that a removal costs a constant share of it. A kept file also
// goes as soon as a newly added file shares a family with it, so the toolkit cannot draw the
// old file for the new one's name, and comes back for nothing when its path is added again.
class DeferredFontRemovals {
 public:
  void Keep(const std::string& path, int id, std::vector<std::string> families);
  // The kept file's toolkit id, taken back, when the path is one.
  std::optional<int> TakeBack(const std::string& path);
  // The ids to let go now, given how many files are still added.
  std::vector<int> Due(std::size_t addedFiles);
  // The ids of kept files that share a family with the given ones, let go now.
  std::vector<int> SharingFamily(const std::vector<std::string>& families);
  std::vector<int> All();

  std::size_t Count() const { return kept_.size(); }

 private:
  struct Kept {
    int Id;
    std::vector<std::string> Families;
  };
  std::map<std::string, Kept> kept_;
};

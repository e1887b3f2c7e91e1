#include "platform/fonts/DeferredFontRemovals.h"

#include <algorithm>
#include <utility>

#include "platform/text/AsciiCase.h"

void DeferredFontRemovals::Keep(const std::string& path, int id,
                                std::vector<std::string> families) {
  kept_.insert_or_assign(path, Kept{id, std::move(families)});
}

std::optional<int> DeferredFontRemovals::TakeBack(const std::string& path) {
  const auto found = kept_.find(path);
  if (found == kept_.end()) return std::nullopt;
  const int id = found->second.Id;
  kept_.erase(found);
  return id;
}

std::vector<int> DeferredFontRemovals::Due(std::size_t addedFiles) {
  return kept_.size() > addedFiles ? All() : std::vector<int>{};
}

std::vector<int> DeferredFontRemovals::SharingFamily(const std::vector<std::string>& families) {
  std::vector<int> ids;
  std::erase_if(kept_, [&](const auto& entry) {
    const bool shared = std::any_of(
        entry.second.Families.begin(), entry.second.Families.end(), [&](const std::string& kept) {
          return std::any_of(families.begin(), families.end(), [&](const std::string& added) {
            return EqualsIgnoringCase(kept, added);
          });
        });
    if (shared) ids.push_back(entry.second.Id);
    return shared;
  });
  return ids;
}

std::vector<int> DeferredFontRemovals::All() {
  std::vector<int> ids;
  for (const auto& [path, kept] : kept_) ids.push_back(kept.Id);
  kept_.clear();
  return ids;
}

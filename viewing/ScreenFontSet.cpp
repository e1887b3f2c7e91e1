#include "viewing/ScreenFontSet.h"

#include <algorithm>

#include "platform/text/TextCompare.h"

namespace {

bool KeyBefore(const std::pair<std::string, std::string>& a,
               const std::pair<std::string, std::string>& b) {
  return a.first < b.first;
}

}  // namespace

void ScreenFontSet::AddAll(const std::vector<std::string>& names) {
  // One sort of everything beats a binary insertion per name when thousands arrive at once.
  std::vector<std::pair<std::string, std::string>> merged = entries_;
  merged.reserve(merged.size() + names.size());
  for (const std::string& name : names) merged.emplace_back(FoldCase(name), name);
  // The names mostly come in order already (the set's own, then a sorted list behind its first
  // few): two runs in order are merged, which a stable sort would give as well, in one pass.
  const auto firstRunEnd = std::is_sorted_until(merged.begin(), merged.end(), KeyBefore);
  if (std::is_sorted(firstRunEnd, merged.end(), KeyBefore)) {
    std::inplace_merge(merged.begin(), firstRunEnd, merged.end(), KeyBefore);
  } else {
    std::stable_sort(merged.begin(), merged.end(), KeyBefore);
  }
  const auto end = std::unique(merged.begin(), merged.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; });
  merged.erase(end, merged.end());
  entries_ = std::move(merged);
}

void ScreenFontSet::Add(const std::string& name) {
  std::pair<std::string, std::string> entry(FoldCase(name), name);
  const auto place = std::lower_bound(entries_.begin(), entries_.end(), entry, KeyBefore);
  if (place != entries_.end() && place->first == entry.first) return;
  entries_.insert(place, std::move(entry));
}

bool ScreenFontSet::Contains(const std::string& name) const {
  const std::pair<std::string, std::string> wanted(FoldCase(name), std::string());
  return std::binary_search(entries_.begin(), entries_.end(), wanted, KeyBefore);
}

std::vector<std::string> ScreenFontSet::Names() const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const auto& entry : entries_) names.push_back(entry.second);
  return names;
}

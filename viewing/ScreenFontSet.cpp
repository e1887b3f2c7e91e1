#include "viewing/ScreenFontSet.h"

#include <algorithm>

#include "platform/TextCompare.h"

namespace {

bool Before(const std::string& a, const std::string& b) {
  return CompareText(a, b) < 0;
}

}  // namespace

void ScreenFontSet::AddAll(const std::vector<std::string>& names) {
  // One sort of everything beats a binary insertion per name when thousands arrive at once.
  std::vector<std::string> merged = names_;
  merged.insert(merged.end(), names.begin(), names.end());
  std::stable_sort(merged.begin(), merged.end(), Before);
  const auto end = std::unique(merged.begin(), merged.end(),
                               [](const auto& a, const auto& b) { return CompareText(a, b) == 0; });
  merged.erase(end, merged.end());
  names_ = std::move(merged);
}

void ScreenFontSet::Add(const std::string& name) {
  const auto place = std::lower_bound(names_.begin(), names_.end(), name, Before);
  if (place != names_.end() && CompareText(*place, name) == 0) return;
  names_.insert(place, name);
}

bool ScreenFontSet::Contains(const std::string& name) const {
  return std::binary_search(names_.begin(), names_.end(), name, Before);
}

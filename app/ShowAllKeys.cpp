#include "app/ShowAllKeys.h"

#include <algorithm>

std::optional<int> ShowAllScrollPosition(int keyCode, int position, int pageStep,
                                         int lastPosition) {
  const int last = std::max(lastPosition, 0);
  switch (keyCode) {
    case VK_PRIOR:
      return std::clamp(position - pageStep, 0, last);
    case VK_NEXT:
      return std::clamp(position + pageStep, 0, last);
    case VK_END:
      return last;
    case VK_HOME:
      return 0;
    default:
      return std::nullopt;
  }
}

#include "app/ShowAllKeys.h"

#include <Qt>
#include <algorithm>

std::optional<int> ShowAllScrollPosition(int key, int position, int pageStep, int lastPosition) {
  const int last = std::max(lastPosition, 0);
  switch (key) {
    case Qt::Key_PageUp:
      return std::clamp(position - pageStep, 0, last);
    case Qt::Key_PageDown:
      return std::clamp(position + pageStep, 0, last);
    case Qt::Key_End:
      return last;
    case Qt::Key_Home:
      return 0;
    default:
      return std::nullopt;
  }
}

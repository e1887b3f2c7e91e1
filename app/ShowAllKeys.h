#pragma once

#include <optional>

// The new vertical position of the Show All Selected view for a Qt key (Qt::Key_PageUp,
// Qt::Key_PageDown, Qt::Key_End or Qt::Key_Home), or nothing for a key the page does not use.
// Positions stay from 0 to lastPosition.
std::optional<int> ShowAllScrollPosition(int key, int position, int pageStep, int lastPosition);

#pragma once

#include <optional>

// Key codes the Show All Selected page answers to.
inline constexpr int VK_PRIOR = 33;
inline constexpr int VK_NEXT = 34;
inline constexpr int VK_END = 35;
inline constexpr int VK_HOME = 36;

// The new vertical position of the Show All Selected view for a key, or nothing for a key the
// page does not use. Positions stay from 0 to lastPosition.
std::optional<int> ShowAllScrollPosition(int keyCode, int position, int pageStep, int lastPosition);

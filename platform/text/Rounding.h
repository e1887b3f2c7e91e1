#pragma once

#include <cmath>

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline int RoundHalfEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// Rounds to the nearest integer, halves away from zero, as the window system scales sizes.
inline int RoundHalfAway(double value) {
  return static_cast<int>(std::lround(value));
}

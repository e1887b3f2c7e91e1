#pragma once

#include <string_view>

// The system's locale-aware comparison without regard to letter case: below zero when a sorts
// before b, zero when they are equal but for case.
int CompareText(std::string_view a, std::string_view b);

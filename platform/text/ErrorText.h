#pragma once

#include <string>

// The error box's text: a full stop is appended when the last character's code lies above that
// of "." (so "Error." and "Disk full!" stay, "No printer" gets one). Characters beyond ASCII
// count as above it.
std::string WithFullStop(const std::string& text);

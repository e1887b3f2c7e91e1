#pragma once

#include <string>

// The text on one line: each line break ("\r\n", "\n" or "\r") becomes one space.
std::string SingleLine(const std::string& text);

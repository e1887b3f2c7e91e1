#pragma once

#include <string>

// Captions mark the underlined letter with "&" and write one "&" as "&&". This gives the text a
// reader sees: the markers removed and each "&&" turned into one "&".
std::string StripMnemonics(const std::string& caption);

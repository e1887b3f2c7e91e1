#pragma once

#include <string>

// Captions mark the underlined letter with "&" and write one "&" as "&&". This gives the text a
// reader sees: the markers removed and each "&&" turned into one "&".
std::string StripMnemonics(const std::string& caption);

// The letter or digit a caption underlines, in upper case: the character after the first "&"
// that does not start "&&". '\0' when there is none, or when it is not an ASCII letter or digit.
char MnemonicLetter(const std::string& caption);

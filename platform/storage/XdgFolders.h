#pragma once

#include <string>
#include <string_view>

// An XDG base folder: the variable when it holds an absolute path (relative ones are to be
// ignored), otherwise the default under the home folder. Never ends with a slash.
std::string XdgFolder(const char* variable, std::string_view defaultUnderHome);

// The folder fontconfig reads the user's own fonts from, without a closing slash.
std::string UserFontsFolder();

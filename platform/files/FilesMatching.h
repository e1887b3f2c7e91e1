#pragma once

#include <string>
#include <vector>

// The visible files of a folder whose names match a mask ("*.ttf;*.otf": patterns with "*" and
// "?", apart by ";", matched without regard to case), in the order a file list shows them: by
// name without regard to case, names that show alike by their bytes. Names are the file
// system's bytes. A link to a file is listed; a folder that fails part way gives what was read,
// one that cannot be opened nothing.
std::vector<std::string> FilesMatching(const std::string& folder, const std::string& mask);

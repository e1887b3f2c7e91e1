#pragma once

#include <string>
#include <vector>

// The *.ttf files of a folder in the order the Preview/Install page's file list shows them, and
// so the order in which "Preview Fonts" reads them: names matched without regard to case, hidden
// files and folders left out, sorted without regard to case (ties in plain code-unit order).
std::vector<std::string> TrueTypeFilesInListOrder(const std::string& directory);

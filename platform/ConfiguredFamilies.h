#pragma once

#include <string>
#include <vector>

// The families fontconfig's configuration puts in place of a name, most preferred first: for an
// alias such as "Sans Serif" its configured families, for any name the name itself and the
// defaults behind it. Only the configuration's rules are applied, no installed font is scored,
// so the cost does not grow with the number of fonts installed.
std::vector<std::string> ConfiguredFamilies(const std::string& name);

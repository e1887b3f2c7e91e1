#pragma once

#include <string>
#include <vector>

#include "printing/CoveragePrint.h"

class ListBox;

// The faces of every entry of a preview list (the faces chosen to print or install), read from
// their files in the folder they were read from.
std::vector<CoverageFace> CoverageFacesOf(const ListBox& list, const std::string& dir);

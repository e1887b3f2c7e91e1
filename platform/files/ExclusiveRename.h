#pragma once

#include <string>
#include <system_error>

// Gives the file `from` the name `to` only if no file has that name, in one step, so that two
// programs finishing files into one folder never replace each other's: std::errc::file_exists
// when the name is taken, another error when the file cannot be renamed at all.
std::error_code RenameExclusively(const std::string& from, const std::string& to);

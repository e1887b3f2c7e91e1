#pragma once

#include <string>
#include <string_view>
#include <system_error>

// Writes the bytes as a new file only the user can read, every byte written and the file closed,
// each step checked (a file that replaces another goes through SafeWrite instead); not flushed:
// for scratch copies and caches that need not outlive a crash. On failure the file is removed.
// Gives the cause.
std::error_code WriteNewPrivateFile(const std::string& path, std::string_view bytes);

// Flushes a folder, so that a file created or renamed in it survives a crash.
void SyncFolder(const std::string& folder);

#pragma once

#include <string>
#include <string_view>
#include <system_error>

// Writes the bytes as a new file and makes them durable: every byte written, the file flushed
// to the disk and closed, each step checked, so that a full disk or a failing device is an
// error here and never a short file later. On failure the file is removed. Gives the cause.
std::error_code WriteNewFileDurably(const std::string& path, std::string_view bytes);

// Writes the bytes as a new file only the user can read, checking every write as above but not
// flushing it: for scratch copies that need not outlive the run.
std::error_code WriteNewPrivateFile(const std::string& path, std::string_view bytes);

// Flushes a folder, so that a file created or renamed in it survives a crash.
void SyncFolder(const std::string& folder);

#pragma once

#include <string>

class IShell;

// Replaces every occurrence of from in text by to.
void ReplaceChar(std::string& text, char from, char to);

// IShell's file operation over comma-separated path lists: each list becomes the
// NUL-separated, double-NUL-terminated form IShell takes (a path that itself holds a comma is
// therefore split; callers with such paths build their request themselves). FOF_WANTMAPPINGHANDLE
// is cleared, as no caller frees a mapping handle. True when the operation succeeded and aborted
// nothing; false at once for an operation code outside 1..4 or an empty source list.
bool ShellFileOperation(IShell& shell, const std::string& source, const std::string& destination,
                        int operation, unsigned flags);

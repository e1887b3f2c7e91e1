#pragma once

#include <string>
#include <vector>

class IShell;

// Replaces every occurrence of from in text by to.
void ReplaceChar(std::string& text, char from, char to);

// IShell's file operation over lists of paths: each list becomes the NUL-separated,
// double-NUL-terminated form IShell takes, with every path kept as it is, commas included; an
// empty destination list passes none. FOF_WANTMAPPINGHANDLE is cleared, as no caller frees a
// mapping handle. True when the shell succeeded and aborted nothing; false at once for an
// operation code outside 1..4 or an empty source list.
//
// A braced single path ({path}) picks the comma-separated form below, so callers name the vector.
bool ShellFileOperation(IShell& shell, const std::vector<std::string>& sources,
                        const std::vector<std::string>& destinations, int operation,
                        unsigned flags);

// The same over comma-separated path lists ("a,b", a closing comma allowed), each turned into
// IShell's form by making every comma a NUL: a path that itself holds a comma is split there, so
// callers with such paths use the form above.
bool ShellFileOperation(IShell& shell, const std::string& source, const std::string& destination,
                        int operation, unsigned flags);

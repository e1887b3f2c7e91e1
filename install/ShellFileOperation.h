#pragma once

#include <string>
#include <vector>

#include "platform/files/IShell.h"

// IShell's file operation over lists of paths, each path kept as it is; an empty destination list
// passes none. True when the shell succeeded and aborted nothing; false at once for an empty
// source list.
bool ShellFileOperation(IShell& shell, const std::vector<std::string>& sources,
                        const std::vector<std::string>& destinations, ShellOp::Operation operation,
                        unsigned flags);

#include "install/ShellFileOperation.h"

#include <algorithm>

#include "platform/IShell.h"

namespace {

// "a,b" -> {"a", "b"}: every comma closes a path, and a closing comma may be left out. An empty
// list holds no path, while "," holds one empty path, which the shell reads as the list's end.
std::vector<std::string> SplitAtCommas(const std::string& list) {
  std::vector<std::string> paths;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    paths.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  return paths;
}

// {"a", "b"} -> "a\0b\0\0": every path closed by a NUL, and one more NUL closing the list.
std::string ToShellList(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) {
    list += path;
    list.push_back('\0');
  }
  list.push_back('\0');
  return list;
}

}  // namespace

void ReplaceChar(std::string& text, char from, char to) {
  if (text.empty() || from == to) return;
  std::replace(text.begin(), text.end(), from, to);
}

bool ShellFileOperation(IShell& shell, const std::vector<std::string>& sources,
                        const std::vector<std::string>& destinations, int operation,
                        unsigned flags) {
  if (operation < ShellOp::FO_MOVE || operation > ShellOp::FO_RENAME) return false;
  if (sources.empty()) return false;
  ShellRequest request;
  request.Operation = operation;
  request.From = ToShellList(sources);
  if (!destinations.empty()) request.To = ToShellList(destinations);
  request.Flags = flags & ~ShellOp::FOF_WANTMAPPINGHANDLE;
  request.AnyOperationsAborted = false;
  const bool succeeded = shell.FileOperation(request);
  return succeeded && !request.AnyOperationsAborted;
}

bool ShellFileOperation(IShell& shell, const std::string& source, const std::string& destination,
                        int operation, unsigned flags) {
  return ShellFileOperation(shell, SplitAtCommas(source), SplitAtCommas(destination), operation,
                            flags);
}

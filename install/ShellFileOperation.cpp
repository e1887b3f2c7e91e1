#include "install/ShellFileOperation.h"

#include <algorithm>
#include <utility>

#include "platform/files/IShell.h"

namespace {

// "a,b" -> "a\0b\0\0": a closing comma is added when missing, every comma becomes a NUL, and the
// last NUL stands for the terminator that closes the list. An empty list stays empty.
std::string CommaListToShellList(std::string list) {
  if (list.empty()) return list;
  if (list.back() != ',') list += ',';
  ReplaceChar(list, ',', '\0');
  list.push_back('\0');
  return list;
}

// {"a", "b"} -> "a\0b\0\0": every path closed by a NUL, and one more NUL closing the list. No
// path gives an empty list.
std::string ToShellList(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) {
    list += path;
    list.push_back('\0');
  }
  if (!list.empty()) list.push_back('\0');
  return list;
}

bool Perform(IShell& shell, std::string from, std::string to, int operation, unsigned flags) {
  if (operation < ShellOp::FO_MOVE || operation > ShellOp::FO_RENAME) return false;
  if (from.empty()) return false;
  ShellRequest request;
  request.Operation = operation;
  request.From = std::move(from);
  request.To = std::move(to);
  request.Flags = flags & ~ShellOp::FOF_WANTMAPPINGHANDLE;
  request.AnyOperationsAborted = false;
  const bool succeeded = shell.FileOperation(request);
  return succeeded && !request.AnyOperationsAborted;
}

}  // namespace

void ReplaceChar(std::string& text, char from, char to) {
  if (text.empty() || from == to) return;
  std::replace(text.begin(), text.end(), from, to);
}

bool ShellFileOperation(IShell& shell, const std::vector<std::string>& sources,
                        const std::vector<std::string>& destinations, int operation,
                        unsigned flags) {
  return Perform(shell, ToShellList(sources), ToShellList(destinations), operation, flags);
}

bool ShellFileOperation(IShell& shell, const std::string& source, const std::string& destination,
                        int operation, unsigned flags) {
  return Perform(shell, CommaListToShellList(source), CommaListToShellList(destination), operation,
                 flags);
}

#include "install/ShellFileOperation.h"

#include <algorithm>

#include "platform/IShell.h"

namespace {

// "a,b" -> "a\0b\0\0": a closing comma is added when missing, every comma becomes a NUL, and the
// last NUL stands for the terminator that closes the list.
std::string ToShellList(std::string list) {
  if (list.back() != ',') list += ',';
  ReplaceChar(list, ',', '\0');
  list.push_back('\0');
  return list;
}

}  // namespace

void ReplaceChar(std::string& text, char from, char to) {
  if (text.empty() || from == to) return;
  std::replace(text.begin(), text.end(), from, to);
}

bool ShellFileOperation(IShell& shell, const std::string& source, const std::string& destination,
                        int operation, unsigned flags) {
  if (operation < ShellOp::FO_MOVE || operation > ShellOp::FO_RENAME) return false;
  if (source.empty()) return false;
  ShellRequest request;
  request.Operation = operation;
  request.From = ToShellList(source);
  if (!destination.empty()) request.To = ToShellList(destination);
  request.Flags = flags & ~ShellOp::FOF_WANTMAPPINGHANDLE;
  request.AnyOperationsAborted = false;
  const bool succeeded = shell.FileOperation(request);
  return succeeded && !request.AnyOperationsAborted;
}

#pragma once

#include <string>

// Operation codes and flags of the file operation, numbered as in the Windows shell API.
namespace ShellOp {
inline constexpr int FO_MOVE = 1;
inline constexpr int FO_COPY = 2;
inline constexpr int FO_DELETE = 3;
inline constexpr int FO_RENAME = 4;

inline constexpr unsigned FOF_SILENT = 0x4;
inline constexpr unsigned FOF_NOCONFIRMATION = 0x10;
inline constexpr unsigned FOF_WANTMAPPINGHANDLE = 0x20;
inline constexpr unsigned FOF_NOERRORUI = 0x400;
}  // namespace ShellOp

// One file operation. The path lists hold each path followed by a NUL byte, and one more NUL
// closes the list ("a\0b\0\0"), as FileOperation reads them; an empty destination list is an empty
// string.
struct ShellRequest {
  int Operation = 0;
  std::string From;
  std::string To;
  unsigned Flags = 0;
  // Set by FileOperation when a part of the operation was left undone (an existing file not
  // overwritten, say), although the call as a whole succeeded.
  bool AnyOperationsAborted = false;
};

// The file operation (FileSystemShell here): copies, moves, deletes or renames files and folders,
// reporting its own errors to the user.
class IShell {
 public:
  virtual ~IShell() = default;
  // True when the operation was carried out; AnyOperationsAborted tells whether all of it was.
  virtual bool FileOperation(ShellRequest& request) = 0;
};

// The list of one path, for callers that must not have commas read as separators.
inline std::string ShellPathList(const std::string& path) {
  std::string list = path;
  list.push_back('\0');
  list.push_back('\0');
  return list;
}

#pragma once

#include <string>
#include <vector>

// The operation and flags of the file operation, numbered as in the Windows shell API. The
// program only ever copies font files into place.
namespace ShellOp {
enum Operation : int { FO_COPY = 2 };

inline constexpr unsigned FOF_SILENT = 0x4;
inline constexpr unsigned FOF_NOCONFIRMATION = 0x10;
inline constexpr unsigned FOF_NOERRORUI = 0x400;
}  // namespace ShellOp

// One file operation: the paths to copy (From) and where they go (To), each path kept as it is.
struct ShellRequest {
  ShellOp::Operation Operation = ShellOp::FO_COPY;
  std::vector<std::string> From;
  std::vector<std::string> To;
  unsigned Flags = 0;
  // Set by FileOperation when a part of the operation was left undone (an existing file not
  // overwritten, say), although the call as a whole succeeded.
  bool AnyOperationsAborted = false;
};

// The file operation (FileSystemShell here): copies files and folders, reporting its own errors
// to the user.
class IShell {
 public:
  virtual ~IShell() = default;
  // True when the operation was carried out; AnyOperationsAborted tells whether all of it was.
  virtual bool FileOperation(ShellRequest& request) = 0;
};

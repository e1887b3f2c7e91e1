#include "install/ShellFileOperation.h"

bool ShellFileOperation(IShell& shell, const std::vector<std::string>& sources,
                        const std::vector<std::string>& destinations, ShellOp::Operation operation,
                        unsigned flags) {
  if (sources.empty()) return false;
  ShellRequest request;
  request.Operation = operation;
  request.From = sources;
  request.To = destinations;
  request.Flags = flags;
  request.AnyOperationsAborted = false;
  const bool succeeded = shell.FileOperation(request);
  return succeeded && !request.AnyOperationsAborted;
}

#pragma once

#include <functional>
#include <vector>

#include "platform/files/IShell.h"

// Records every request; answers with the prepared result, or lets a test act on the request
// (perform it on a real shell, say) through onRequest.
class FakeShell final : public IShell {
 public:
  bool FileOperation(ShellRequest& request) override {
    requests.push_back(request);
    if (onRequest) return onRequest(request);
    request.AnyOperationsAborted = abortSome;
    return succeed;
  }

  std::vector<ShellRequest> requests;
  bool succeed = true;
  bool abortSome = false;
  std::function<bool(ShellRequest&)> onRequest;
};

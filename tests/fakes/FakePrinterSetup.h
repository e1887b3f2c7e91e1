#pragma once

#include <functional>

#include "platform/printers/IPrinterSetup.h"

// Plays the user in the printer setup dialog.
class FakePrinterSetup final : public IPrinterSetup {
 public:
  void Execute() override {
    ++executions;
    if (onExecute) onExecute();
  }
  int executions = 0;
  std::function<void()> onExecute;
};

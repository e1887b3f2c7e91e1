#pragma once

// The printer setup dialog: the user chooses the current printer and its settings there.
class IPrinterSetup {
 public:
  virtual ~IPrinterSetup() = default;
  virtual void Execute() = 0;
};

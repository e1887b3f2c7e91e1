#pragma once

#include "platform/printers/IPrinterSetup.h"

class Printers;
class QWidget;

// Lists the printers (the PDF printer first) and lets the user choose one and, for the PDF
// printer, the folder its files go to. OK selects the chosen printer, even the same one again.
class PrinterSetupDialog final : public IPrinterSetup {
 public:
  explicit PrinterSetupDialog(Printers& printer) : printer_(printer) {}
  void Execute() override;

 private:
  Printers& printer_;
};

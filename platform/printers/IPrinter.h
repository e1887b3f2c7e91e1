#pragma once

#include <string>
#include <vector>

#include "platform/printers/IPrintDocument.h"

// The printer object: the list of printers, the current one, and its font list; what is printed
// on it goes through its document.
class IPrinter {
 public:
  virtual ~IPrinter() = default;

  virtual std::vector<std::string> PrinterNames() = 0;

  // The index of the current printer in PrinterNames(). Throws PlatformError
  // "There is no default printer currently selected" when there is none.
  virtual int PrinterIndex() = 0;

  // Selects a printer, even the one already selected; either way its font list is dropped and
  // fetched afresh on the next request. Throws "Printer selected is not valid" for a bad index.
  virtual void SetPrinterIndex(int index) = 0;

  // The current printer's face names, built on first request: one per typeface, unsorted,
  // duplicates kept. Throws PlatformError when there is no printer or it cannot be opened.
  virtual const std::vector<std::string>& Fonts() = 0;

  // The document printed on the current printer.
  virtual IPrintDocument& Document() = 0;
};

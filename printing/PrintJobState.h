#pragma once

#include <string>

#include "printing/SheetContext.h"

// What a print run keeps for the whole program: the cancel flag the progress dialog sets, the
// style words of the last job and the printer's resolution for the run.
struct PrintJobState {
  bool CancelPrinting = false;
  std::string StyleSuffix;
  PageMetrics Metrics;
};

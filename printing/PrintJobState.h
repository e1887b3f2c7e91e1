#pragma once

#include <functional>
#include <string>

#include "printing/SheetContext.h"

// What a print run keeps for the whole program: the cancel flag the progress dialog sets, the
// style words of the last job and the printer's resolution for the run; whether a run is
// printing now, and what is to be done each time one has ended (work that would change the
// printer or the fonts under a run waits for it).
struct PrintJobState {
  bool CancelPrinting = false;
  bool Running = false;
  std::function<void()> OnRunEnded;
  std::string StyleSuffix;
  PageMetrics Metrics;
};

#include "platform/desktop/AllocatorFastBins.h"

#include <malloc.h>

void DisableAllocatorFastBins() {
  mallopt(M_MXFAST, 0);
}

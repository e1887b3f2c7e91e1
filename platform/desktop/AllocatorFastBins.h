#pragma once

// Makes the C library's allocator put freed small blocks straight back with their neighbours
// instead of on its "fast bin" lists. Start-up makes and frees hundreds of thousands of small
// blocks (fontconfig's patterns, the toolkit's font database, the font list), and with fast bins
// each larger request after such frees first merges every block on those lists: a tenth of the
// start with thousands of families installed, the same peak memory without them. Called first
// thing in main, before any window.
void DisableAllocatorFastBins();

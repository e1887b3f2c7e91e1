#include "platform/FontconfigCache.h"

#include <fontconfig/fontconfig.h>

void FontconfigCache::Refresh(const std::string& folder) {
  // A forced read scans the folder and writes its cache file, also when the folder had none yet
  // or its old cache is out of date; FcDirCacheRescan gives up in both cases. No fc-cache
  // process is needed.
  FcCache* cache =
      FcDirCacheRead(reinterpret_cast<const FcChar8*>(folder.c_str()), FcTrue, nullptr);
  if (cache != nullptr) FcDirCacheUnload(cache);
}

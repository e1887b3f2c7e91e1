#include "platform/fonts/FontconfigCache.h"

#include <fontconfig/fontconfig.h>

void FontconfigCache::Refresh(const std::string& folder) {
  // fontconfig finds a folder's cache by the folder's name as its configuration spells it,
  // without a closing "/".
  std::string name = folder;
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  // A forced read scans the folder and writes its cache file, also when the folder had none yet
  // or its old cache is out of date; FcDirCacheRescan gives up in both cases. No fc-cache
  // process is needed.
  FcCache* cache = FcDirCacheRead(reinterpret_cast<const FcChar8*>(name.c_str()), FcTrue, nullptr);
  if (cache != nullptr) FcDirCacheUnload(cache);
}

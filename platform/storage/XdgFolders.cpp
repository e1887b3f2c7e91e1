#include "platform/storage/XdgFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string StripTrailingSlashes(std::string path) {
  while (!path.empty() && path.back() == '/') path.pop_back();
  return path;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  // A process started without HOME (by a service manager, say) still has one in the user database.
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
}

}  // namespace

std::string XdgFolder(const char* variable, std::string_view defaultUnderHome) {
  if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
    return StripTrailingSlashes(value);
  }
  return StripTrailingSlashes(HomeFolder()) + "/" + std::string(defaultUnderHome);
}

std::string UserFontsFolder() {
  return XdgFolder("XDG_DATA_HOME", ".local/share") + "/fonts";
}

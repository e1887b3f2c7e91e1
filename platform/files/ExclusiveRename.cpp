#include "platform/files/ExclusiveRename.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

std::error_code RenameExclusively(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  // Network and FUSE file systems may not take the flag; a hard link is exclusive on them too.
  if (errno != EINVAL && errno != ENOSYS) return {errno, std::generic_category()};
  if (link(from.c_str(), to.c_str()) != 0) return {errno, std::generic_category()};
  unlink(from.c_str());
  return {};
}

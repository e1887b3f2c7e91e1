#include "platform/files/DurableFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/SafeWrite.h"

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

}  // namespace

std::error_code WriteNewPrivateFile(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return LastError();
  std::error_code error = SafeWrite::WriteAll(fd, bytes);
  if (close(fd) != 0 && !error) error = LastError();
  if (error) unlink(path.c_str());
  return error;
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

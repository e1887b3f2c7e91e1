#include "platform/files/DurableFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/SafeWrite.h"

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

enum class Flush { ToDisk, No };

std::error_code WriteNewFile(const std::string& path, std::string_view bytes, mode_t mode,
                             Flush flush) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return LastError();
  std::error_code error = SafeWrite::WriteAll(fd, bytes);
  if (!error && flush == Flush::ToDisk && fsync(fd) != 0) error = LastError();
  if (close(fd) != 0 && !error) error = LastError();
  if (error) unlink(path.c_str());
  return error;
}

}  // namespace

std::error_code WriteNewFileDurably(const std::string& path, std::string_view bytes) {
  return WriteNewFile(path, bytes, 0666, Flush::ToDisk);
}

std::error_code WriteNewPrivateFile(const std::string& path, std::string_view bytes) {
  return WriteNewFile(path, bytes, 0600, Flush::No);
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

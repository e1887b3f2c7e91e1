#include "platform/files/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

namespace {

constexpr auto kPatience = std::chrono::seconds(5);
constexpr auto kPoll = std::chrono::milliseconds(10);

}  // namespace

FileLock::FileLock(const std::string& path, Create create) {
  // Opened for writing, which NFS needs for an exclusive lock.
  const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create == Create::IfMissing ? O_CREAT : 0);
  const int fd = open(path.c_str(), flags, 0666);
  if (fd < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      fd_ = fd;
      return;
    }
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline) {
      close(fd);
      return;
    }
    std::this_thread::sleep_for(kPoll);
  }
}

FileLock::~FileLock() {
  // Closing the last descriptor of the open file lets the lock go.
  if (fd_ >= 0) close(fd_);
}

std::string FileLock::Beside(const std::string& target) {
  const std::filesystem::path path(target);
  return (path.parent_path() / ("." + path.filename().string() + ".lock")).string();
}

#include "platform/files/RedirectedOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/files/StaleTemporaries.h"
#include "platform/files/TemporaryName.h"

namespace fs = std::filesystem;

namespace {

constexpr auto kReaderPoll = std::chrono::milliseconds(50);

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// Opens what stands at the path for writing. A FIFO is opened without waiting, which fails while
// nobody reads it, so a wait for its reader can be given up; the descriptor then waits as usual.
int OpenToWriteInto(const std::string& path, bool fifo, const RedirectedOutput::Stop& stop) {
  if (!fifo) return open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  for (;;) {
    const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
      return fd;
    }
    if (errno != ENXIO) return -1;
    if (stop && stop()) {
      errno = ECANCELED;
      return -1;
    }
    std::this_thread::sleep_for(kReaderPoll);
  }
}

}  // namespace

namespace RedirectedOutput {

std::error_code Write(const std::string& target, const SafeWrite::Filler& fill, const Stop& stop) {
  // The kernel follows the links to what is written into: the links of /dev/stdout name no file.
  struct stat info {};
  if (stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    if (S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    const int fd = OpenToWriteInto(target, S_ISFIFO(info.st_mode), stop);
    if (fd < 0) return LastError();
    struct stat opened {};
    // A file put there since it was looked at is replaced as any other.
    if (fstat(fd, &opened) == 0 && !S_ISREG(opened.st_mode)) {
      std::error_code error = fill(fd);
      if (close(fd) != 0 && errno != EINTR && !error) error = LastError();
      return error;
    }
    close(fd);
  }
  // A file is replaced at the end of its links, so that they stay links.
  const std::optional<std::string> path = SafeWrite::LinkTarget(target);
  if (!path) return std::make_error_code(std::errc::too_many_symbolic_link_levels);
  const bool exists = stat(path->c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return LastError();
  if (exists && !S_ISREG(info.st_mode)) return std::make_error_code(std::errc::file_exists);
  // A run killed while it wrote left its temporary here, which nothing else would ever remove.
  const fs::path file(*path);
  const std::string name = file.filename().string();
  RemoveStaleTemporaries(
      file.has_parent_path() ? file.parent_path().string() : ".",
      [&name](std::string_view entry) { return TemporaryName::IsFor(entry, name); });
  SafeWrite::ReplaceOptions options;
  if (exists) {
    // Never more open while it is written than the file it replaces.
    options.Mode = info.st_mode & 07777;
    options.NewFileMode = info.st_mode & 0777;
  }
  return SafeWrite::Replace(*path, fill, options);
}

}  // namespace RedirectedOutput

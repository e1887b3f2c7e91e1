#include "platform/files/SafeWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/files/DurableFile.h"
#include "platform/files/ExclusiveRename.h"
#include "platform/files/TemporaryName.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kNameAttempts = 100;

std::error_code LastError() {
  return {errno, std::generic_category()};
}

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Makes a new temporary beside `target`, trying fresh names while they are taken. A filler may
// read back what it wrote (a PDF's last part refers to offsets in its first), so it is readable.
int CreateTemporary(const fs::path& target, mode_t mode, std::string& temporary) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temporary = (FolderOf(target) / TemporaryName::For(target.filename().string())).string();
    const int fd = open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

std::error_code ReplaceThroughTemporary(fs::path target, const SafeWrite::Filler& fill,
                                        const SafeWrite::ReplaceOptions& options) {
  const std::optional<mode_t>& mode = options.Mode;
  std::string temporary;
  const int fd = CreateTemporary(target, options.NewFileMode, temporary);
  if (fd < 0) return LastError();
  std::error_code error = fill(fd);
  if (!error && mode && fchmod(fd, *mode) != 0) error = LastError();
  if (!error && fsync(fd) != 0 &&
      !(options.FlushMayBeUnsupported && (errno == EINVAL || errno == ENOTSUP))) {
    error = LastError();
  }
  // On Linux the descriptor is gone even when close is interrupted.
  if (close(fd) != 0 && errno != EINTR && !error) error = LastError();
  if (!error && options.NextFreeName) {
    while ((error = RenameExclusively(temporary, target.string())) == std::errc::file_exists) {
      target = options.NextFreeName();
    }
  } else if (!error && rename(temporary.c_str(), target.c_str()) != 0) {
    error = LastError();
  }
  if (error) {
    unlink(temporary.c_str());
    return error;
  }
  // The new contents are in place and readable now; failing to flush the folder cannot be
  // undone, and reporting it would leave the caller disagreeing with the file.
  SyncFolder(FolderOf(target).string());
  return {};
}

// Overwrites the file where it is: the bytes are written over the old ones, the file is cut to
// their length and flushed. Not atomic, so a write that fails part way puts the old bytes back.
// Bytes shorter than the file are first written padded with blanks to its length, so a run
// killed before the cut leaves the new text followed by blanks, never by the tail of the old.
std::error_code RewriteInPlace(const fs::path& target, std::string_view bytes,
                               std::string_view old) {
  const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return LastError();
  const auto put = [fd](std::string_view text) -> std::error_code {
    struct stat info {};
    if (fstat(fd, &info) != 0) return LastError();
    std::string padded(text);
    if (static_cast<off_t>(padded.size()) < info.st_size) {
      padded.resize(static_cast<std::size_t>(info.st_size), ' ');
    }
    if (lseek(fd, 0, SEEK_SET) != 0) return LastError();
    if (const std::error_code error = SafeWrite::WriteAll(fd, padded)) return error;
    if (fsync(fd) != 0 || ftruncate(fd, static_cast<off_t>(text.size())) != 0 || fsync(fd) != 0) {
      return LastError();
    }
    return {};
  };
  std::error_code error = put(bytes);
  if (error) put(old);
  if (close(fd) != 0 && !error) error = LastError();
  return error;
}

}  // namespace

namespace SafeWrite {

std::error_code WriteAll(int fd, std::string_view bytes, WriteFunction write) {
  if (write == nullptr) write = ::write;
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    // A device that takes nothing and reports no error is full.
    if (written == 0) return std::make_error_code(std::errc::no_space_on_device);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

std::error_code Replace(const std::string& target, std::string_view bytes,
                        const ReplaceOptions& options) {
  const std::error_code error = Replace(
      target, [bytes](int fd) { return WriteAll(fd, bytes); }, options);
  if (!error || !options.InPlaceWhenNoTemporary) return error;
  const std::optional<std::string> path =
      options.FollowLinks ? LinkTarget(target) : std::optional<std::string>(target);
  return path ? RewriteInPlace(*path, bytes, options.OldBytes) : error;
}

std::error_code Replace(const std::string& target, const Filler& fill,
                        const ReplaceOptions& options) {
  fs::path path(target);
  if (options.FollowLinks) {
    const std::optional<std::string> linked = LinkTarget(target);
    if (!linked) return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    path = *linked;
  }
  return ReplaceThroughTemporary(path, fill, options);
}

std::optional<std::string> LinkTarget(const std::string& path) {
  fs::path current(path);
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(current, error))) return current.string();
    const fs::path target = fs::read_symlink(current, error);
    if (error) return std::nullopt;
    current = target.is_absolute() ? target : FolderOf(current) / target;
  }
  return std::nullopt;
}

}  // namespace SafeWrite

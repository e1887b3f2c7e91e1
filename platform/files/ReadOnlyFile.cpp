#include "platform/files/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
  // Non-blocking, so that a named pipe or device given a font's name cannot hang the reading;
  // without a controlling terminal, so that a terminal given one cannot become ours.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
}

ReadOnlyFile::~ReadOnlyFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
  return fd_ >= 0 && ReadUpTo(offset, buffer, size) == size;
}

std::size_t ReadOnlyFile::ReadUpTo(std::uint64_t offset, void* buffer, std::size_t size) const {
  if (fd_ < 0) return 0;
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::pread(fd_, bytes + done, size - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

std::optional<std::uint64_t> ReadOnlyFile::Size() const {
  struct stat status {};
  if (fd_ < 0 || ::fstat(fd_, &status) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(status.st_size);
}

std::optional<std::string> ReadWholeFileAtMost(const std::string& path, std::size_t limit) {
  const ReadOnlyFile file(path);
  if (!file.IsOpen()) return std::nullopt;
  const std::optional<std::uint64_t> claimed = file.Size();
  if (claimed && *claimed > limit) return std::nullopt;
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  std::string bytes;
  // Room for what the file claims and the short chunk that ends the reading.
  if (claimed) bytes.reserve(static_cast<std::size_t>(*claimed) + kChunk);
  for (;;) {
    const std::size_t have = bytes.size();
    if (have > limit) return std::nullopt;
    bytes.resize(have + kChunk);
    const std::size_t got = file.ReadUpTo(have, bytes.data() + have, kChunk);
    bytes.resize(have + got);
    if (got < kChunk) break;
  }
  if (bytes.size() > limit) return std::nullopt;
  return bytes;
}

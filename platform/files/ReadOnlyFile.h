#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// A file opened for reading with sharing allowed to all: a thin wrapper over open, pread and
// close. Reads never go beyond what the caller's buffer holds.
//
// Opening does not look at what kind of file the name stands for: a directory, pipe or device
// simply fails (or comes back short) at its first read, which spares a system call per file when
// a folder of fonts is listed.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // Reads exactly size bytes at offset into buffer; false on a short read or an error.
  bool ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const;
  // Reads up to size bytes at offset into buffer, stopping early only at the end of the file or
  // at an error; returns how many bytes were read. Lets a caller take several structures in one
  // read and still tell exactly which of them the file holds in full.
  std::size_t ReadUpTo(std::uint64_t offset, void* buffer, std::size_t size) const;
  // The size the file claims now; nothing when it cannot be asked.
  std::optional<std::uint64_t> Size() const;

 private:
  int fd_ = -1;
};

// The whole file, or nothing when it cannot be opened or holds more than limit bytes. A file that
// claims more is refused before anything is read, so a huge or sparse file costs no memory. Read
// in chunks until one comes back short, so that the size is what was read, not what the file
// claimed before it changed.
std::optional<std::string> ReadWholeFileAtMost(const std::string& path, std::size_t limit);

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file opened for reading with sharing allowed to all: a thin wrapper over open, pread and
// close. Reads never go beyond what the caller's buffer holds.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // Reads exactly size bytes at offset into buffer; false on a short read or an error.
  bool ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const;

 private:
  int fd_ = -1;
};

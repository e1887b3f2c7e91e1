#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

// What tells one version of a file from another without reading it: a file replaced by rename
// is another inode, one rewritten in place has another size or change time, and one whose
// permissions changed has another status-change time.
struct FileVersion {
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  std::int64_t ModifiedNs = 0;
  std::int64_t ChangedNs = 0;
  bool operator==(const FileVersion&) const = default;

  // The version of the file a path names (through links); nothing when there is none.
  static std::optional<FileVersion> Of(const std::string& path);
};

#pragma once

#include <string>
#include <vector>

// The local drives of this computer, read from the kernel's mount table.
class MountTable {
 public:
  // The mount points of the local file systems listed in a mount table in the format of
  // /proc/self/mounts. Pseudo, memory-backed, network and FUSE file systems and package images
  // are left out; "/" is always there, first, even when the table cannot be read or the root is
  // an overlay. The rest follow in byte order, each once.
  static std::vector<std::string> LocalMounts(const std::string& mountTable = "/proc/self/mounts");

  // The mount point among mounts that path lies on: the longest one that is path itself or a
  // parent folder of it. Empty when none is.
  static std::string MountOf(const std::string& path, const std::vector<std::string>& mounts);

  // path without the slashes that end it; "/" stays "/".
  static std::string WithoutTrailingSlash(std::string path);
};

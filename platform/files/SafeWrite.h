#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// How every file of the program is written: one loop that puts bytes to a descriptor, and one
// routine that replaces a file through a temporary beside it (named by TemporaryName), flushed
// to the disk before it is renamed over the old file, so that a crash at any moment leaves the
// old file or the new one, whole.
namespace SafeWrite {

// What puts bytes to a descriptor; write() but where a test gives its own.
using WriteFunction = ssize_t (*)(int fd, const void* bytes, std::size_t size);

// Writes every byte, trying again after an interrupted write. A write that takes nothing is a
// full device (std::errc::no_space_on_device); any other failure is the kernel's errno, kept as
// it is, since that is what the user is told.
std::error_code WriteAll(int fd, std::string_view bytes, WriteFunction write = nullptr);

// Fills the new file through its descriptor, writing with WriteAll; gives the cause of a failure.
using Filler = std::function<std::error_code(int fd)>;

struct ReplaceOptions {
  // The new file's permission bits, exactly (the old file's, say).
  std::optional<mode_t> Mode;
  // Without Mode, the bits the new file is made with, less the umask as for any new file.
  mode_t NewFileMode = 0666;
  // A file system that cannot flush a file keeps its data as safe as it makes it; with this, its
  // refusal to flush is no failure.
  bool FlushMayBeUnsupported = false;
  // A symbolic link is replaced at the file it names (relative links from the link's folder),
  // so the link stays a link.
  bool FollowLinks = false;
  // When no temporary can be made beside the target (a folder the user cannot write), an
  // existing file is overwritten where it is, and gets `OldBytes` back if that fails part way.
  bool InPlaceWhenNoTemporary = false;
  std::string_view OldBytes;
  // When given, the file never replaces another: it takes the target's name only while no file
  // has it, and otherwise the next name this gives, until one is free.
  std::function<std::string()> NextFreeName;
};

// Replaces `target` with `bytes` as described above. Gives the cause of a failure, after which
// no temporary is left and the old file is as it was.
std::error_code Replace(const std::string& target, std::string_view bytes,
                        const ReplaceOptions& options = {});
// The same, with the new file's bytes written by `fill`.
std::error_code Replace(const std::string& target, const Filler& fill,
                        const ReplaceOptions& options = {});

// The file `path` names through its symbolic links; nothing when they loop or cannot be read.
std::optional<std::string> LinkTarget(const std::string& path);

}  // namespace SafeWrite

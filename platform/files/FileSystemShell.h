#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "platform/files/IShell.h"

class IMessageBoxes;

// The shell's file copy over the file system. Each source goes to the destination of the
// same place in the list; a single destination for several sources (or one ending in "/", or an
// existing folder) is the folder they go into, and a missing destination folder is created.
// There is no progress window and no one to ask: without FOF_NOCONFIRMATION an existing target
// is left as it is and the operation is reported as partly aborted. A failure stops the
// operation and is shown in an error box (unless FOF_NOERRORUI is given), with the C library's
// words for its errno ("No space left on device" for a full disk). A file whose copy fails leaves
// no partial file behind, and a file it was to replace stays as it was; the partial files of a
// copy that was killed are removed by the next run that copies into their folder.
class FileSystemShell final : public IShell {
 public:
  explicit FileSystemShell(IMessageBoxes& messages) : messages_(messages) {}

  bool FileOperation(ShellRequest& request) override;

 private:
  void Transfer(ShellRequest& request, const std::filesystem::path& source,
                const std::filesystem::path& target);
  static void Copy(const std::filesystem::path& source, const std::filesystem::path& target);
  void RemoveOrphanedParts(const std::string& folder);

  IMessageBoxes& messages_;
  std::set<std::string> cleared_;
};

#pragma once

#include <functional>
#include <string>
#include <system_error>

#include "platform/files/SafeWrite.h"

// The file a user names for a command's output, written where a shell's redirection would write
// it, but never losing a file to a write that fails:
// - a symbolic link is followed to the file it names (a dangling link makes that file);
// - a regular file is replaced whole (SafeWrite::Replace, through a temporary beside it), keeping
//   its permission bits, once the temporaries of killed writers beside it are removed; a new file
//   is made so;
// - anything else that stands there (a device, a FIFO) is opened and written into, as it is made:
//   it cannot be replaced, and replacing it would take it away;
// - a folder is refused before anything is written.
namespace RedirectedOutput {

// Whether to give up waiting (for a FIFO's reader, say).
using Stop = std::function<bool()>;

// Writes the output with `fill`; gives the cause of a failure. An opened FIFO with no reader is
// waited for until one comes or `stop` says so (std::errc::operation_canceled).
std::error_code Write(const std::string& target, const SafeWrite::Filler& fill,
                      const Stop& stop = {});

}  // namespace RedirectedOutput

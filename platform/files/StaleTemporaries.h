#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Removes the temporary files a run of the program left in one of its folders when it was
// killed mid-write: regular files whose name `ours` recognises. A name that carries its writer's
// process id (TemporaryName) goes only once that process has ended, however old the file; a
// live writer may have stalled for any time. Any other name (those of earlier versions) goes once
// it has not been touched for a minute, since another running copy may be writing it right now.
void RemoveStaleTemporaries(const std::string& folder,
                            const std::function<bool(std::string_view name)>& ours);

// Removes, from each folder the program writes to, the temporaries named by TemporaryName whose
// writer has ended, once at start: a write that was killed leaves nothing behind for long, even
// in a folder the program does not write to again soon.
void RemoveAbandonedTemporaries(const std::vector<std::string>& folders);

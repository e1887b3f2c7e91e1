#pragma once

#include <functional>
#include <string>
#include <string_view>

// Removes the temporary files a run of the program left in one of its folders when it was
// killed mid-write: regular files whose name `ours` recognises, and only those not touched for
// a minute, since another running copy may be writing one of them right now.
void RemoveStaleTemporaries(const std::string& folder,
                            const std::function<bool(std::string_view name)>& ours);

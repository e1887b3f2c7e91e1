#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

// The one rule for naming the file a write fills before renaming it over its target:
// ".<target name>.tmp-<process id>-<8 of [0-9a-z]>", beside the target. Hidden, and named after
// the target so a listing shows whose it is. The writer's process id lets a clean-up tell a write
// that was killed from one that is merely slow, however long it has stalled. A target name too
// long for the whole to fit NAME_MAX is cut short in the temporary's name.
namespace TemporaryName {

// A fresh name for a temporary of `targetName` (a file name without a folder), written by this
// process.
std::string For(std::string_view targetName);

// Whether `name` is a temporary of `targetName` by this rule.
bool IsFor(std::string_view name, std::string_view targetName);

// The process id a name of this rule carries; nothing for any other name.
std::optional<pid_t> WriterOf(std::string_view name);

}  // namespace TemporaryName

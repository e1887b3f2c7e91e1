#include "platform/files/StaleTemporaries.h"

#include <chrono>
#include <filesystem>

#include "platform/files/LiveProcess.h"
#include "platform/files/TemporaryName.h"

namespace fs = std::filesystem;

void RemoveStaleTemporaries(const std::string& folder,
                            const std::function<bool(std::string_view name)>& ours) {
  constexpr auto kStillInUse = std::chrono::minutes(1);
  std::error_code error;
  const auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code ignored;
    if (!entry->is_regular_file(ignored) || entry->is_symlink(ignored)) continue;
    const std::string name = entry->path().filename().string();
    if (!ours(name)) continue;
    if (const std::optional<pid_t> writer = TemporaryName::WriterOf(name)) {
      if (ProcessRuns(*writer)) continue;
    } else {
      const auto modified = entry->last_write_time(ignored);
      if (ignored || now - modified < kStillInUse) continue;
    }
    fs::remove(entry->path(), ignored);
  }
}

void RemoveAbandonedTemporaries(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    RemoveStaleTemporaries(
        folder, [](std::string_view name) { return TemporaryName::WriterOf(name).has_value(); });
  }
}

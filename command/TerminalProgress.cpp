#include "command/TerminalProgress.h"

#include <string>

namespace {

constexpr int kBarWidth = 30;
constexpr auto kInterval = std::chrono::milliseconds(100);

}  // namespace

TerminalProgress::~TerminalProgress() {
  if (any_) std::fputc('\n', terminal_);
}

void TerminalProgress::Show(int done, int total) {
  const auto now = std::chrono::steady_clock::now();
  if (any_ && done < total && now - shown_ < kInterval) return;
  shown_ = now;
  any_ = true;
  const long seconds =
      static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(now - start_).count());
  const int filled = total > 0 ? done * kBarWidth / total : kBarWidth;
  const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                          std::string(static_cast<std::size_t>(kBarWidth - filled), '.');
  std::fprintf(terminal_, "\r[%s] %d/%d fonts  %ld:%02ld", bar.c_str(), done, total, seconds / 60,
               seconds % 60);
  std::fflush(terminal_);
}

#include "command/TerminalProgress.h"

namespace {

constexpr int kBarWidth = 30;
constexpr auto kInterval = std::chrono::milliseconds(100);

}  // namespace

TerminalProgress::~TerminalProgress() {
  if (any_) std::fputc('\n', terminal_);
}

std::string TerminalProgress::Line(const JobProgress& where, std::chrono::seconds since) {
  const int filled = static_cast<int>(where.Done() * kBarWidth);
  std::string line = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] ";
  if (where.Sheets > 1) {
    line += "sheet " + std::to_string(where.Sheet + 1) + "/" + std::to_string(where.Sheets) + ", ";
  }
  line += std::to_string(where.FacesDone) + "/" + std::to_string(where.Faces) + " faces, ";
  if (where.Pages > 0) {
    line += "page " + std::to_string(where.Page) + "/" + std::to_string(where.Pages) + ", ";
  }
  const long long seconds = since.count();
  const std::string secondsOfMinute = std::to_string(seconds % 60);
  line += std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") + secondsOfMinute;
  return line;
}

void TerminalProgress::Show(const JobProgress& where) {
  const auto now = std::chrono::steady_clock::now();
  if (any_ && !where.Finished() && now - shown_ < kInterval) return;
  const std::string line =
      Line(where, std::chrono::duration_cast<std::chrono::seconds>(now - start_));
  if (any_ && line == shownLine_) return;
  shown_ = now;
  any_ = true;
  // Blanks over what is left of a longer line before it.
  const std::size_t blanks = shownLine_.size() > line.size() ? shownLine_.size() - line.size() : 0;
  std::fprintf(terminal_, "\r%s%s", line.c_str(), std::string(blanks, ' ').c_str());
  std::fflush(terminal_);
  shownLine_ = line;
}

#pragma once

#include <chrono>
#include <cstdio>

// A job's progress on a terminal: one line, rewritten in place, with the faces done of all, the
// time since the start and a bar. At most a few times a second, so a fast job is not slowed.
class TerminalProgress {
 public:
  explicit TerminalProgress(std::FILE* terminal) : terminal_(terminal) {}
  ~TerminalProgress();

  void Show(int done, int total);

 private:
  std::FILE* terminal_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point shown_;
  bool any_ = false;
};

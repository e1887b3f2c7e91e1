#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "command/JobProgress.h"

// A job's progress on a terminal: one line, rewritten in place, with a bar of the whole job, the
// sheet when there are several, the faces of the sheet done of all, the page of a coverage book
// being printed, and the time since the start ("[####....] 3/8 faces, page 120/370, 0:07"). At
// most a few times a second, so a fast job is not slowed.
class TerminalProgress {
 public:
  explicit TerminalProgress(std::FILE* terminal) : terminal_(terminal) {}
  ~TerminalProgress();

  void Show(const JobProgress& where);

  // The line for a job at that point, so long after its start.
  static std::string Line(const JobProgress& where, std::chrono::seconds since);

 private:
  std::FILE* terminal_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point shown_;
  bool any_ = false;
  // The line last shown, which a shorter one must cover.
  std::string shownLine_;
};

#include "platform/files/LiveProcess.h"

#include <signal.h>

#include <cerrno>

bool ProcessRuns(long pid) {
  return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

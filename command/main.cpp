#include <csignal>
#include <string>
#include <vector>

#include "command/PrintCommand.h"

namespace {

void StopSoon(int) {
  PrintCommand::Interrupt();
}

}  // namespace

int main(int argc, char** argv) {
  // An interrupted job leaves no partial file behind: it stops between two fonts.
  std::signal(SIGINT, StopSoon);
  std::signal(SIGTERM, StopSoon);
  // A reader of the output that goes away (a pipe's) is a write that fails, said as any other.
  std::signal(SIGPIPE, SIG_IGN);
  return PrintCommand::Run(std::vector<std::string>(argv + 1, argv + argc));
}

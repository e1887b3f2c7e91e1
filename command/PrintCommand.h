#pragma once

#include <string>
#include <vector>

// glyphera-print: makes the window's sheets of fonts from a command line, with no display.
namespace PrintCommand {

// The exit statuses.
inline constexpr int kPrinted = 0;
inline constexpr int kSomeFailed = 1;
inline constexpr int kUsage = 2;
inline constexpr int kOutputFailed = 3;
inline constexpr int kInterrupted = 130;

// Runs the command with the arguments that follow the program's name; gives its exit status.
// The toolkit is started (offscreen) only once the command line is taken.
int Run(const std::vector<std::string>& arguments);

// Asks a running command to stop between two fonts (from a signal handler).
void Interrupt();

}  // namespace PrintCommand

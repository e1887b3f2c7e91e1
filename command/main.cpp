#include <QApplication>
#include <QHashSeed>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "command/PrintCommand.h"

namespace {

void StopSoon(int) {
  PrintCommand::Interrupt();
}

}  // namespace

int main(int argc, char** argv) {
  // The sheets are drawn off the screen: no display is needed, and no window is ever made.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The PDF writer lists the fonts of a document in the order of a hash table: with the same
  // seed in every run, the same sheets give the same bytes.
  QHashSeed::setDeterministicGlobalSeed();
  // The toolkit takes some arguments for itself ("-style", "-platform"); these are the
  // command's.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  int toolkitArgc = 1;
  QApplication application(toolkitArgc, argv);
  // An interrupted job leaves no partial file behind: it stops between two fonts.
  std::signal(SIGINT, StopSoon);
  std::signal(SIGTERM, StopSoon);
  return PrintCommand::Run(arguments);
}

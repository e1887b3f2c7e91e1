#include "bench/OffscreenBenchmarks.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>

#include "fixtures/TempDir.h"

namespace {

TempDir* home = nullptr;

// The offscreen platform says for every window shown that it cannot pass on size hints; that
// says nothing about the figures and would bury them.
void DropSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, message)));
}

}  // namespace

TempDir& BenchHome() {
  return *home;
}

int RunOffscreenBenchmarks(int argc, char** argv) {
  qInstallMessageHandler(DropSizeHintNotes);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TempDir folder;
  home = &folder;
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.File("config")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder.File("data")));
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  home = nullptr;
  return 0;
}

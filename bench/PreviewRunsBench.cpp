// The Preview/Install page's long runs on folders of real fonts with distinct families (made by
// bench/make_font_corpus.py under $GLYPHERA_CORPUS_DIR/<count>): reading a folder, a face shown
// while a preview print's files stay loaded, leaving the page and closing after such a print, and
// installing every face, and a preview print of every face. Beside each time: the longest stretch
// the window could not repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "bench/OffscreenBenchmarks.h"
#include "fixtures/RealServices.h"
#include "fixtures/TempDir.h"
#include "install/FontInstaller.h"
#include "install/PreviewFonts.h"
#include "install/PreviewInstallPage.h"
#include "platform/files/FileSystemShell.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/ListBox.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

std::string Corpus(benchmark::State& state) {
  const char* root = std::getenv("GLYPHERA_CORPUS_DIR");
  const std::string folder =
      root == nullptr ? std::string() : std::string(root) + "/" + std::to_string(state.range(0));
  if (folder.empty() || !std::filesystem::is_directory(folder)) {
    state.SkipWithError("no corpus: run bench/make_font_corpus.py into $GLYPHERA_CORPUS_DIR/<N>");
    return {};
  }
  return folder;
}

// The longest time between two passes of the event loop while it lives: a timer with no interval
// fires on every pass.
class EventGaps {
 public:
  EventGaps() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const Clock::time_point now = Clock::now();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
    timer_.start(0);
  }
  double LongestMs() const { return Milliseconds(std::max(longest_, Clock::now() - last_)); }

 private:
  QTimer timer_;
  Clock::time_point last_ = Clock::now();
  Clock::duration longest_{};
};

// The main window on the machine's real services, on the Preview/Install page; installed files
// are really copied, into the test's own data folder.
struct PreviewPageRun {
  RealServices real{BenchHome().File("glyphera")};
  FileSystemShell disk{real.messages};
  std::unique_ptr<TfrmMain> form;
  PreviewInstallPage* p = nullptr;

  PreviewPageRun() {
    real.shell.onRequest = [this](ShellRequest& request) { return disk.FileOperation(request); };
    form = std::make_unique<TfrmMain>(real.Services(), real.errors);
    form->show();
    QApplication::processEvents();
    p = &form->tabInstall();
    form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Install));
  }
  void Read(const std::string& folder) {
    p->Dir1->SetDirectory(folder);
    QTest::mouseClick(p->cmdPreview, Qt::LeftButton);
  }
  // Reads the folder, selects every face but the last, and prints those.
  void PrintAllButOne(const std::string& folder) {
    real.printer.SetOutputFolder(BenchHome().File("pdf"));
    Read(folder);
    QTest::mouseClick(p->cmdAddAll, Qt::LeftButton);
    p->lstSelected->SetItemIndex(p->lstSelected->Count() - 1);
    QTest::mouseClick(p->cmdRemove, Qt::LeftButton);
    QTest::mouseClick(p->cmdPreviewPrint, Qt::LeftButton);
    QApplication::processEvents();
  }
};

void ReadFolder(benchmark::State& state) {
  const std::string folder = Corpus(state);
  if (folder.empty()) return;
  double gap = 0;
  int listed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto page = std::make_unique<PreviewPageRun>();
    page->p->Dir1->SetDirectory(folder);
    state.ResumeTiming();
    const EventGaps gaps;
    QTest::mouseClick(page->p->cmdPreview, Qt::LeftButton);
    QApplication::processEvents();
    state.PauseTiming();
    gap = std::max(gap, gaps.LongestMs());
    listed = page->p->lstPreview->Count();
    page.reset();
    state.ResumeTiming();
  }
  state.counters["faces"] = listed;
  state.counters["longest_gap_ms"] = gap;
}

// A face shown from its file while the other files stay loaded after a preview print: clicks go
// in turn to the face not printed and to a printed one, so that every other click adds and
// removes a file. After the clicks, leaving the page is timed.
void ShowFaceAfterPrint(benchmark::State& state) {
  const std::string folder = Corpus(state);
  if (folder.empty()) return;
  PreviewPageRun page;
  page.PrintAllButOne(folder);
  PreviewFonts& preview = page.form->Parts().Preview();
  const std::size_t printed = preview.Leases().PrintedFaces().size();
  bool unprinted = true;
  for (auto _ : state) {
    ListBox& list = unprinted ? *page.p->lstPreview : *page.p->lstSelected;
    list.SetItemIndex(0);
    (unprinted ? preview.lstPreviewClick() : preview.lstSelectedClick());
    QApplication::processEvents();
    unprinted = !unprinted;
  }
  state.counters["printed"] = static_cast<double>(printed);
  const Clock::time_point start = Clock::now();
  page.form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Main));
  QApplication::processEvents();
  state.counters["leave_page_ms"] = Milliseconds(Clock::now() - start);
}

// Closing the window (File, Exit) right after a preview print.
void CloseAfterPrint(benchmark::State& state) {
  const std::string folder = Corpus(state);
  if (folder.empty()) return;
  std::size_t printed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto page = std::make_unique<PreviewPageRun>();
    page->PrintAllButOne(folder);
    printed = page->form->Parts().Preview().Leases().PrintedFaces().size();
    state.ResumeTiming();
    page->form->close();
    QApplication::processEvents();
    state.PauseTiming();
    page.reset();
    state.ResumeTiming();
  }
  state.counters["printed"] = static_cast<double>(printed);
}

// Resident memory of the process now, in MB.
double ResidentMb() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
  }
  std::fclose(status);
  return static_cast<double>(kb) / 1024.0;
}

// The mean time between sheets written, over the first and over the last `count` of them, from
// the files' own times: whether a sheet costs more the more faces have been printed before it.
std::pair<double, double> FirstAndLastSheetMs(const std::string& folder, std::size_t count) {
  std::vector<std::filesystem::file_time_type> times;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    times.push_back(entry.last_write_time());
  }
  std::sort(times.begin(), times.end());
  if (times.size() < 2 * count + 1) return {0, 0};
  const auto mean = [&](std::size_t from) {
    return std::chrono::duration<double, std::milli>(times[from + count] - times[from]).count() /
           static_cast<double>(count);
  };
  return {mean(0), mean(times.size() - 1 - count)};
}

// A preview print of every face of the folder: its time, a sheet's cost at its start and at its
// end, and the memory it leaves held.
void PrintFaces(benchmark::State& state) {
  const std::string folder = Corpus(state);
  if (folder.empty()) return;
  static int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto page = std::make_unique<PreviewPageRun>();
    const std::string out = BenchHome().File("print-" + std::to_string(++run));
    page->real.printer.SetOutputFolder(out);
    page->Read(folder);
    QTest::mouseClick(page->p->cmdAddAll, Qt::LeftButton);
    QApplication::processEvents();
    const double before = ResidentMb();
    state.ResumeTiming();
    QTest::mouseClick(page->p->cmdPreviewPrint, Qt::LeftButton);
    state.PauseTiming();
    state.counters["held_mb"] = ResidentMb() - before;
    const auto [first, last] = FirstAndLastSheetMs(out, 20);
    state.counters["first_sheets_ms"] = first;
    state.counters["last_sheets_ms"] = last;
    page.reset();
    std::filesystem::remove_all(out);
    state.ResumeTiming();
  }
}

void InstallFaces(benchmark::State& state) {
  const std::string folder = Corpus(state);
  if (folder.empty()) return;
  double gap = 0;
  std::size_t refreshes = 0;
  static int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // Every run installs into a fresh fonts folder and registry store.
    qputenv("XDG_DATA_HOME",
            QByteArray::fromStdString(BenchHome().File("data-" + std::to_string(++run))));
    qputenv("XDG_CONFIG_HOME",
            QByteArray::fromStdString(BenchHome().File("config-" + std::to_string(run))));
    auto page = std::make_unique<PreviewPageRun>();
    page->Read(folder);
    QTest::mouseClick(page->p->cmdAddAll, Qt::LeftButton);
    state.ResumeTiming();
    const EventGaps gaps;
    page->form->Parts().Installer().cmdInstallClick();
    state.PauseTiming();
    gap = std::max(gap, gaps.LongestMs());
    refreshes = page->real.fontCache.refreshed.size();
    page.reset();
    state.ResumeTiming();
  }
  state.counters["longest_gap_ms"] = gap;
  state.counters["cache_refreshes"] = static_cast<double>(refreshes);
}

}  // namespace

BENCHMARK(ReadFolder)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(ShowFaceAfterPrint)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50);
BENCHMARK(CloseAfterPrint)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(PrintFaces)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(InstallFaces)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv) {
  return RunOffscreenBenchmarks(argc, argv);
}

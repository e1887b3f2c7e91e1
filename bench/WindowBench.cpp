// The main window's costs that a user waits for: building it and showing its first sample (font
// list filled, screen font set built) with 10,000 fake families and with the machine's fonts, the
// program's own start-up to its first sample, and printing Sample Text sheets for 200 fonts to
// the PDF printer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/ProgramStart.h"
#include "app/RealPlatform.h"
#include "app/TfrmMain.h"
#include "bench/OffscreenBenchmarks.h"
#include "fakes/FakeMessageBoxes.h"
#include "fixtures/MainWindowHarness.h"
#include "fixtures/RealServices.h"
#include "fixtures/TempDir.h"
#include "platform/desktop/ApplicationErrorHandler.h"
#include "platform/fonts/FontconfigFontServices.h"
#include "platform/printers/Printers.h"
#include "viewing/FontList.h"
#include "widgets/CheckBox.h"
#include "widgets/ListBox.h"

namespace {

void CountMessages(benchmark::State& state, const FakeMessageBoxes& messages) {
  state.counters["messages"] = static_cast<double>(messages.shown.size());
  if (!messages.shown.empty())
    std::fprintf(stderr, "message: %s\n", messages.shown[0].Text.c_str());
}

// Create and show, then let the window paint: the first sample is on screen when this returns.
void ShowFirstSample(TfrmMain& form) {
  form.show();
  QApplication::processEvents();
}

void FakeFamilies(benchmark::State& state) {
  std::vector<std::string> families;
  for (int i = 0; i < state.range(0); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "Family %05d", i + 1);
    families.push_back(name);
  }
  int listed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto h = std::make_unique<MainWindowHarness>();
    h->UseFonts(families);
    state.ResumeTiming();
    TfrmMain& form = h->Create();
    ShowFirstSample(form);
    state.PauseTiming();
    listed = form.tabMain().lstFonts->Count();
    CountMessages(state, h->messages);
    h.reset();
    state.ResumeTiming();
  }
  state.counters["families"] = listed;
}

void MachineFonts(benchmark::State& state) {
  int listed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto real = std::make_unique<RealServices>(BenchHome().File("glyphera"));
    state.ResumeTiming();
    auto form = std::make_unique<TfrmMain>(real->Services(), real->errors);
    ShowFirstSample(*form);
    state.PauseTiming();
    listed = form->tabMain().lstFonts->Count();
    CountMessages(state, real->messages);
    form.reset();
    real.reset();
    state.ResumeTiming();
  }
  state.counters["families"] = listed;
}

// As app/main.cpp starts the program, from its first service to the first sample on screen; only
// the message boxes are fakes, so that an error cannot wait for a click.
void ProgramStartUp(benchmark::State& state) {
  int listed = 0;
  for (auto _ : state) {
    FakeMessageBoxes messages;
    ApplicationErrorHandler errors(messages);
    RealPlatform platform(messages);
    auto start = std::make_unique<ProgramStart>(platform.Services(), errors);
    ShowFirstSample(start->frmMain());
    state.PauseTiming();
    listed = start->frmMain().tabMain().lstFonts->Count();
    CountMessages(state, messages);
    start.reset();
    state.ResumeTiming();
  }
  state.counters["families"] = listed;
}

int PdfPages(const QString& file) {
  QFile pdf(file);
  if (!pdf.open(QIODevice::ReadOnly)) return 0;
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
  return static_cast<int>(QString::fromLatin1(pdf.readAll()).count(page));
}

// Sample Text sheets for the first fonts of the list, printed by the Print button to the PDF
// printer, files into a fresh folder.
void PrintSampleSheets(benchmark::State& state) {
  const int fonts = static_cast<int>(state.range(0));
  RealServices real(BenchHome().File("glyphera"));
  TfrmMain form(real.Services(), real.errors);
  ShowFirstSample(form);
  MainPage& m = form.tabMain();
  if (m.lstFonts->Count() < fonts) {
    state.SkipWithError("the machine has too few font families");
    return;
  }
  m.lstFonts->SetSelected(0, false);
  m.lstFonts->SelectRange(0, fonts - 1);
  form.Parts().Fonts().lstFontsClick();
  m.chkSample->SetChecked(true);
  m.chkCharChart->SetChecked(false);
  m.chkFullPage->SetChecked(false);
  m.chkPara->SetChecked(false);
  int files = 0;
  int pages = 0;
  // A fresh folder for every job of the process, repetitions included.
  static int job = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string out = BenchHome().File("pdf-" + std::to_string(++job));
    real.printer.SetOutputFolder(out);
    state.ResumeTiming();
    QTest::mouseClick(m.cmdPrint, Qt::LeftButton);
    state.PauseTiming();
    const QDir folder(QString::fromStdString(out));
    const QStringList printed = folder.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    files = static_cast<int>(printed.size());
    pages = 0;
    for (const QString& file : printed) pages += PdfPages(folder.filePath(file));
    state.ResumeTiming();
  }
  CountMessages(state, real.messages);
  state.counters["fonts_per_second"] =
      benchmark::Counter(fonts, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["pages_per_second"] =
      benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["files"] = files;
  state.counters["pages"] = pages;
}

}  // namespace

BENCHMARK(FakeFamilies)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MachineFonts)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ProgramStartUp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PrintSampleSheets)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv) {
  return RunOffscreenBenchmarks(argc, argv);
}

// Show All Selected with the families of a real font pack (the fontconfig configuration named
// by $GLYPHERA_FONTS_CONF, made by bench/table.py from bench/make_font_corpus.py): screenfuls
// painted one Page Down after another, each drawing faces not drawn before, with the first 50
// families of the list selected (from the top) and the first 5,000 or 20,000 (from the middle).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "bench/OffscreenBenchmarks.h"
#include "fixtures/RealServices.h"
#include "fixtures/TempDir.h"
#include "platform/drawing/MeasuringSurface.h"
#include "platform/drawing/PainterSurface.h"
#include "viewing/FontList.h"
#include "viewing/ShowAllSelected.h"
#include "widgets/ListBox.h"

namespace {

void ShowAllPageDown(benchmark::State& state) {
  if (std::getenv("GLYPHERA_FONTS_CONF") == nullptr) {
    state.SkipWithError("no font pack: set GLYPHERA_FONTS_CONF");
    return;
  }
  RealServices real(BenchHome().File("glyphera"));
  TfrmMain form(real.Services(), real.errors);
  form.show();
  QApplication::processEvents();
  ListBox& list = *form.tabMain().lstFonts;
  const int selected = static_cast<int>(state.range(0));
  if (list.Count() < selected) {
    state.SkipWithError("the font pack has too few families");
    return;
  }
  list.SetSelected(0, false);
  list.SelectRange(0, selected - 1);
  form.Parts().Fonts().lstFontsClick();
  ShowAllSelected& view = form.Parts().SelectedView();
  MeasuringSurface measure(96, 96);
  const int height = view.DrawSelectedFonts(measure, 12);
  constexpr int kWidth = 741;
  constexpr int kVisible = 436;
  QImage screen(kWidth, kVisible, QImage::Format_RGB32);
  // With many selected, from the middle, where no face has been drawn yet in this process.
  int top = selected > 50 ? height / 2 : 0;
  for (auto _ : state) {
    screen.fill(Qt::white);
    QPainter painter(&screen);
    painter.translate(0, -top);
    PainterSurface surface(painter, 96, 96, QRect(0, top, kWidth, kVisible));
    benchmark::DoNotOptimize(view.DrawSelectedFonts(surface, 12));
    top += kVisible * 95 / 100;
  }
  state.counters["height"] = height;
  state.counters["families"] = list.Count();
}

}  // namespace

// Four Page Downs: the 50 families fill about five screenfuls. Once only: a face drawn once is
// cached for the rest of the process, and a repetition would measure the cache.
BENCHMARK(ShowAllPageDown)
    ->Arg(50)
    ->Arg(5000)
    ->Arg(20000)
    ->Iterations(4)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (const char* conf = std::getenv("GLYPHERA_FONTS_CONF")) qputenv("FONTCONFIG_FILE", conf);
  return RunOffscreenBenchmarks(argc, argv);
}

// One repaint of one screenful of the Show All Selected page (what Page Down costs), with 50,
// 2,000 and 20,000 selected fonts. Only the entries in view should cost anything, so all should
// take about as long.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "fixtures/MainWindowHarness.h"
#include "platform/drawing/MeasuringSurface.h"
#include "platform/drawing/PainterSurface.h"
#include "platform/fonts/FontconfigFontServices.h"
#include "viewing/FontList.h"
#include "viewing/ShowAllSelected.h"

namespace {

// The machine's real families, repeated as often as needed, so that every entry is a face that
// really has to be loaded and drawn.
std::vector<std::string> Faces(std::size_t count) {
  FontconfigFontServices fonts;
  const std::vector<std::string> families = fonts.InstalledFamilies();
  std::vector<std::string> faces;
  for (std::size_t i = 0; i < count; ++i) faces.push_back(families[i % families.size()]);
  return faces;
}

void PaintOneScreenful(benchmark::State& state) {
  MainWindowHarness h;
  h.UseFonts(Faces(static_cast<std::size_t>(state.range(0))));
  TfrmMain& form = h.Create();
  form.Parts().Fonts().BuildScreenFontSet();
  form.Parts().Fonts().cmdSelectAllClick();
  ShowAllSelected& view = form.Parts().SelectedView();

  // The screenful in the middle of the view, as the paint box would get it after a scroll.
  MeasuringSurface measure(96, 96);
  const int height = view.DrawSelectedFonts(measure, 12);
  constexpr int kWidth = 741;
  constexpr int kVisible = 436;
  const int top = std::max(0, height / 2 - kVisible / 2);
  QImage screen(kWidth, kVisible, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&screen);
    painter.translate(0, -top);
    PainterSurface surface(painter, 96, 96, QRect(0, top, kWidth, kVisible));
    benchmark::DoNotOptimize(view.DrawSelectedFonts(surface, 12));
  }
  state.counters["height"] = height;
}

}  // namespace

BENCHMARK(PaintOneScreenful)->Arg(50)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

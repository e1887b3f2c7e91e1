// The coverage book of a face to a PDF file, beside fntsample (which draws one Unicode chart per
// block) on the same font file: time to the finished file, and the file's size.
#include <benchmark/benchmark.h>

#include <QProcess>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/OffscreenBenchmarks.h"
#include "command/CommandSheetTexts.h"
#include "fixtures/RealServices.h"
#include "fixtures/TempDir.h"
#include "platform/fonts/FaceCoverage.h"
#include "printing/CoverageSheet.h"

namespace {

const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kNotoSans = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf";

// The one PDF file in the folder, its size, and the folder emptied again; the file is kept in
// the folder $GLYPHERA_COVERAGE_KEEP names, for a look at the book.
double TakeFile(const std::string& folder, const std::string& name) {
  double bytes = 0;
  const char* keep = std::getenv("GLYPHERA_COVERAGE_KEEP");
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    bytes += static_cast<double>(entry.file_size());
    if (keep != nullptr) {
      std::filesystem::copy_file(entry.path(), std::filesystem::path(keep) / (name + ".pdf"),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    std::filesystem::remove(entry.path());
  }
  return bytes;
}

void CoverageBook(benchmark::State& state, const char* file) {
  RealServices real(BenchHome().File("glyphera"));
  Printers& printer = real.printer;
  printer.SetPrinterIndex(0);
  const std::string folder = BenchHome().File("coverage-out");
  std::filesystem::create_directories(folder);
  printer.SetOutputFolder(folder);
  CommandSheetTexts texts;
  texts.SetHeadingFont("DejaVu Sans");
  PageMetrics metrics{Printers::kPdfResolution, Printers::kPdfResolution};
  const std::string suffix;
  const SheetLines lines;
  const ParagraphSizeTable sizes{};
  const SheetContext context{texts, metrics, suffix, lines, sizes};
  double bytes = 0;
  for (auto _ : state) {
    const FaceCoverage face = ReadFaceCoverage(file, 0);
    printer.SetTitle(face.FullName + " coverage");
    printer.BeginDoc();
    PrintCoverage(printer, context, face);
    printer.EndDoc();
    state.PauseTiming();
    bytes = TakeFile(folder, face.PostScriptName);
    state.ResumeTiming();
  }
  state.counters["pdf_bytes"] = bytes;
}

void Fntsample(benchmark::State& state, const char* file) {
  const std::string out = BenchHome().File("fntsample.pdf");
  for (auto _ : state) {
    QProcess process;
    process.start(QStringLiteral("fntsample"), {QStringLiteral("-f"), QString::fromUtf8(file),
                                                QStringLiteral("-o"), QString::fromStdString(out)});
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
      state.SkipWithError("fntsample failed (is the fntsample package installed?)");
      return;
    }
  }
  state.counters["pdf_bytes"] = static_cast<double>(std::filesystem::file_size(out));
}

}  // namespace

BENCHMARK_CAPTURE(CoverageBook, DejaVuSans, kDejaVuSans)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CoverageBook, NotoSans, kNotoSans)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fntsample, DejaVuSans, kDejaVuSans)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fntsample, NotoSans, kNotoSans)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return RunOffscreenBenchmarks(argc, argv);
}

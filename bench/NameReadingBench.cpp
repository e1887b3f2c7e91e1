// Reading the face names of a folder of 5,000 TrueType files, as "Preview Fonts" does: our
// reader, which takes a few hundred bytes per file, against fontconfig's fc-scan and a FreeType
// reader that applies our choosing rule, both of which open every file as a font. The files are
// the machine's own TrueType files copied round-robin into one folder, read in the file list's
// order, with a warm cache and with every file's pages dropped before each pass.
//
//   name_reading_bench [--folder=DIR] [benchmark options]
//
// With --folder the copies are made in DIR (when it holds none yet) and left there, so that the
// system-call counts of glyphera-names and freetype-names can be taken on the same files.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FreeTypeNames.h"
#include "PreviewOrder.h"
#include "fixtures/TempDir.h"
#include "install/FolderReadAhead.h"
#include "install/FontNameReader.h"

extern char** environ;

namespace {

constexpr std::size_t kFileCount = 5000;
constexpr const char* kFontRoot = "/usr/share/fonts";

struct FontFolder {
  std::string path;
  // In the file list's order.
  std::vector<std::string> names;
};

FontFolder* folder = nullptr;

bool IsTrueTypeName(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".ttf";
}

// Copies the machine's TrueType files round-robin until the folder holds kFileCount of them,
// then writes them out, so that dropping their pages later really empties the cache.
void FillFolder(const std::string& path) {
  std::vector<std::filesystem::path> sources;
  for (const auto& item : std::filesystem::recursive_directory_iterator(kFontRoot))
    if (item.is_regular_file() && IsTrueTypeName(item.path())) sources.push_back(item.path());
  if (sources.empty()) throw std::runtime_error("no TrueType files under /usr/share/fonts");
  std::sort(sources.begin(), sources.end());
  for (std::size_t i = 0; i < kFileCount; ++i) {
    const std::filesystem::path& source = sources[i % sources.size()];
    char number[16];
    std::snprintf(number, sizeof number, "%05zu-", i + 1);
    std::filesystem::copy_file(source,
                               std::filesystem::path(path) / (number + source.filename().string()),
                               std::filesystem::copy_options::overwrite_existing);
  }
  const int dir = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    syncfs(dir);
    close(dir);
  }
}

// Drops every file's pages from the page cache, as if the folder had not been read since boot.
void DropCache() {
  for (const std::string& name : folder->names) {
    const int fd = open((folder->path + "/" + name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    close(fd);
  }
}

// Before a cold pass the cache is emptied, outside the timing; before a warm run, one pass that is
// not timed fills it.
template <typename Pass>
void RunPasses(benchmark::State& state, bool cold, Pass pass) {
  if (!cold) pass();
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      DropCache();
      state.ResumeTiming();
    }
    pass();
  }
}

// Bytes this process has asked the kernel to read so far. Reads through mmap are not counted.
long long BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long long value = 0;
  while (io >> key >> value)
    if (key == "rchar:") return value;
  return -1;
}

void SetFileCounters(benchmark::State& state, std::size_t faces) {
  state.counters["files"] = static_cast<double>(folder->names.size());
  state.counters["faces"] = static_cast<double>(faces);
}

// As "Preview Fonts" reads: every face of every file, with the files ahead read into the cache by
// the read-ahead's workers. Their work counts in the CPU time and the bytes read.
void OurReader(benchmark::State& state, bool cold) {
  std::size_t faces = 0;
  const long long before = BytesRead();
  long long passes = 0;
  RunPasses(state, cold, [&] {
    faces = 0;
    FolderReadAhead readAhead(folder->path, folder->names);
    for (std::size_t i = 0; i < folder->names.size(); ++i) {
      readAhead.Reached(i);
      const std::vector<FontFace> found = ReadFontFaces(folder->path, folder->names[i]);
      faces += found.size();
      benchmark::DoNotOptimize(found);
    }
    ++passes;
  });
  SetFileCounters(state, faces);
  // Includes the few hundred bytes of each /proc/self/io read: nothing per file.
  state.counters["bytes_read_per_file"] =
      static_cast<double>(BytesRead() - before) /
      (static_cast<double>(passes) * static_cast<double>(folder->names.size()));
}

// FreeType maps files into memory, which the kernel's read count misses. To see how much of a
// file it needs, each file is opened once more through a stream that reads with pread and counts.
struct CountingStream {
  FT_StreamRec stream{};
  int fd = -1;
  unsigned long long bytes = 0;
};

unsigned long CountingRead(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                           unsigned long count) {
  auto* counting = static_cast<CountingStream*>(stream->descriptor.pointer);
  if (count == 0) return offset <= stream->size ? 0 : 1;  // a seek: 0 means it succeeded
  const ssize_t got = pread(counting->fd, buffer, count, static_cast<off_t>(offset));
  if (got <= 0) return 0;
  counting->bytes += static_cast<unsigned long long>(got);
  return static_cast<unsigned long>(got);
}

unsigned long long FreeTypeBytesRequested(FT_Library library, const std::string& path) {
  CountingStream counting;
  counting.fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (counting.fd < 0) return 0;
  counting.stream.size = static_cast<unsigned long>(std::filesystem::file_size(path));
  counting.stream.descriptor.pointer = &counting;
  counting.stream.read = CountingRead;
  FT_Open_Args args{};
  args.flags = FT_OPEN_STREAM;
  args.stream = &counting.stream;
  FT_Face face = nullptr;
  if (FT_Open_Face(library, &args, 0, &face) == 0) {
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    FT_SfntName name;
    for (FT_UInt i = 0; i < count; ++i) FT_Get_Sfnt_Name(face, i, &name);
    FT_Done_Face(face);
  }
  close(counting.fd);
  return counting.bytes;
}

void FreeTypeReader(benchmark::State& state, bool cold) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    state.SkipWithError("FreeType did not start");
    return;
  }
  std::size_t faces = 0;
  RunPasses(state, cold, [&] {
    faces = 0;
    for (const std::string& name : folder->names) {
      const std::optional<FreeTypeFace> face =
          ReadFreeTypeNames(library, folder->path + "/" + name);
      faces += face.has_value();
      benchmark::DoNotOptimize(face);
    }
  });
  unsigned long long bytes = 0;
  for (const std::string& name : folder->names)
    bytes += FreeTypeBytesRequested(library, folder->path + "/" + name);
  FT_Done_FreeType(library);
  SetFileCounters(state, faces);
  state.counters["bytes_read_per_file"] =
      static_cast<double>(bytes) / static_cast<double>(folder->names.size());
}

// One run of fc-scan over the folder, its output discarded; false if it did not run cleanly.
bool RunFcScan(const std::string& directory) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = "fc-scan";
  std::string option = "--format";
  std::string format = "%{family}\n";
  std::string folderArgument = directory;
  char* argv[] = {program.data(), option.data(), format.data(), folderArgument.data(), nullptr};
  pid_t child = 0;
  const int started = posix_spawnp(&child, "fc-scan", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return false;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// CPU seconds, user and system, of the children that have ended so far.
double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The time is fc-scan's from start to end; its CPU time, which the library cannot see in a child,
// is given as a counter, so that it can be set beside our reader's on a busy machine.
void FcScan(benchmark::State& state, bool cold) {
  if (!cold) RunFcScan(folder->path);
  double cpu = 0;
  for (auto _ : state) {
    if (cold) DropCache();
    const double cpuBefore = ChildrenCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (!RunFcScan(folder->path)) {
      state.SkipWithError("fc-scan did not run");
      return;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count());
    cpu += ChildrenCpuSeconds() - cpuBefore;
  }
  state.counters["files"] = static_cast<double>(folder->names.size());
  state.counters["child_cpu_ms"] = cpu * 1e3 / static_cast<double>(state.iterations());
}

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 128; });
}

// Our names against the FreeType reader's on every file whose chosen records are plain ASCII,
// where the two must agree byte for byte. Differing files are listed on stderr.
void NameAgreement(benchmark::State& state) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    state.SkipWithError("FreeType did not start");
    return;
  }
  std::size_t compared = 0;
  std::size_t differences = 0;
  for (auto _ : state) {
    compared = 0;
    differences = 0;
    for (const std::string& name : folder->names) {
      const std::optional<FontFace> ours = ReadFontNames(folder->path, name);
      const std::optional<FreeTypeFace> theirs =
          ReadFreeTypeNames(library, folder->path + "/" + name);
      if (theirs && !theirs->Ascii) continue;
      // A variable font's faces are its named instances, named from "fvar", which this
      // FreeType reader does not read; the tests compare those with fontTools.
      if (ours && ours->Entry->Instance != 0) continue;
      if (!theirs && ours && !(IsAscii(ours->Entry->FamilyName) && IsAscii(ours->FullName)))
        continue;
      ++compared;
      const bool same = ours.has_value() == theirs.has_value() &&
                        (!ours || (ours->Entry->FamilyName == theirs->Family &&
                                   ours->FullName == theirs->FullName));
      if (same) continue;
      if (++differences <= 10)
        std::fprintf(stderr, "names differ: %s: ours \"%s\" / \"%s\", FreeType \"%s\" / \"%s\"\n",
                     name.c_str(), ours ? ours->Entry->FamilyName.c_str() : "-",
                     ours ? ours->FullName.c_str() : "-", theirs ? theirs->Family.c_str() : "-",
                     theirs ? theirs->FullName.c_str() : "-");
    }
  }
  FT_Done_FreeType(library);
  state.counters["ascii_files"] = static_cast<double>(compared);
  state.counters["ascii_differences"] = static_cast<double>(differences);
}

}  // namespace

BENCHMARK_CAPTURE(OurReader, warm, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(OurReader, cold, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(2);
BENCHMARK_CAPTURE(FreeTypeReader, warm, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FreeTypeReader, cold, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(FcScan, warm, false)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(FcScan, cold, true)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK(NameAgreement)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
  std::optional<std::string> kept;
  int kept_argc = 0;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--folder=", 9) == 0)
      kept = argv[i] + 9;
    else
      argv[kept_argc++] = argv[i];
  }
  argc = kept_argc;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  std::unique_ptr<TempDir> temporary;
  FontFolder fonts;
  if (kept) {
    std::filesystem::create_directories(*kept);
    fonts.path = *kept;
  } else {
    temporary = std::make_unique<TempDir>();
    fonts.path = temporary->Path();
  }
  fonts.names = TrueTypeFilesInListOrder(fonts.path);
  if (fonts.names.size() != kFileCount) {
    FillFolder(fonts.path);
    fonts.names = TrueTypeFilesInListOrder(fonts.path);
  }
  folder = &fonts;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  folder = nullptr;
  return 0;
}

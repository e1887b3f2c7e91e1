// Reading the face names of a directory of 5,000 TrueType files, as "Preview Fonts" does: our
// reader, which takes a few hundred bytes per file, against fontconfig's fc-scan and a plain
// FreeType reader, both of which open every file as a font. The files are the machine's own
// TrueType files copied round-robin into a temporary folder; the cache is warm.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fixtures/TempDir.h"
#include "install/FontNameReader.h"

extern char** environ;

namespace {

constexpr std::size_t kFileCount = 5000;
constexpr const char* kFontRoot = "/usr/share/fonts/truetype";

struct FontFolder {
  TempDir dir;
  std::vector<std::string> names;
};

FontFolder* folder = nullptr;

void FillFolder(FontFolder& target) {
  std::vector<std::filesystem::path> sources;
  for (const auto& item : std::filesystem::recursive_directory_iterator(kFontRoot))
    if (item.is_regular_file() && item.path().extension() == ".ttf") sources.push_back(item.path());
  if (sources.empty())
    throw std::runtime_error("no TrueType files under /usr/share/fonts/truetype");
  std::sort(sources.begin(), sources.end());
  for (std::size_t i = 0; i < kFileCount; ++i) {
    const std::filesystem::path& source = sources[i % sources.size()];
    char number[16];
    std::snprintf(number, sizeof number, "%05zu-", i + 1);
    const std::string name = number + source.filename().string();
    std::filesystem::copy_file(source, target.dir.File(name));
    target.names.push_back(name);
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

// What reading /proc/self/io itself adds to the count between two calls.
long long BytesReadOverhead() {
  const long long first = BytesRead();
  return BytesRead() - first;
}

void SetPerFileCounters(benchmark::State& state, long long bytes, bool bytesCounted) {
  const double files = static_cast<double>(kFileCount);
  state.counters["files"] = files;
  // Seconds per file: printed with an SI prefix, so "12u" is 12 microseconds.
  state.counters["time_per_file"] = benchmark::Counter(
      files, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  if (bytesCounted)
    state.counters["bytes_read_per_file"] =
        static_cast<double>(bytes) / (files * static_cast<double>(state.iterations()));
}

void OurReader(benchmark::State& state) {
  const long long overhead = BytesReadOverhead();
  long long bytes = 0;
  std::size_t faces = 0;
  for (auto _ : state) {
    const long long before = BytesRead();
    faces = 0;
    for (const std::string& name : folder->names) {
      const std::optional<FontFace> face = ReadFontNames(folder->dir.Path(), name);
      faces += face.has_value();
      benchmark::DoNotOptimize(face);
    }
    bytes += BytesRead() - before - overhead;
  }
  SetPerFileCounters(state, bytes, true);
  state.counters["faces"] = static_cast<double>(faces);
}

// The first family name and the first full name behind it, as our reader takes them, but from
// the face FreeType opens.
bool FreeTypeNames(FT_Library library, const std::string& path) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, path.c_str(), 0, &face) != 0) return false;
  bool family = false;
  bool found = false;
  const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
  for (FT_UInt i = 0; i < count && !found; ++i) {
    FT_SfntName name;
    if (FT_Get_Sfnt_Name(face, i, &name) != 0) continue;
    if (name.name_id == 1) family = true;
    if (name.name_id == 4 && family && name.string_len >= 2) found = true;
  }
  FT_Done_Face(face);
  return found;
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

void FreeTypeReader(benchmark::State& state) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    state.SkipWithError("FreeType did not start");
    return;
  }
  std::size_t faces = 0;
  for (auto _ : state) {
    faces = 0;
    for (const std::string& name : folder->names)
      faces += FreeTypeNames(library, folder->dir.File(name));
  }
  unsigned long long bytes = 0;
  for (const std::string& name : folder->names)
    bytes += FreeTypeBytesRequested(library, folder->dir.File(name));
  FT_Done_FreeType(library);
  SetPerFileCounters(state, 0, false);
  state.counters["bytes_read_per_file"] =
      static_cast<double>(bytes) / static_cast<double>(folder->names.size());
  state.counters["faces"] = static_cast<double>(faces);
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

void FcScan(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!RunFcScan(folder->dir.Path())) {
      state.SkipWithError("fc-scan did not run");
      return;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count());
  }
  SetPerFileCounters(state, 0, false);
}

}  // namespace

BENCHMARK(OurReader)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FcScan)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(FreeTypeReader)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  auto fonts = std::make_unique<FontFolder>();
  FillFolder(*fonts);
  folder = fonts.get();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  folder = nullptr;
  return 0;  // the folder and its copies go with fonts
}

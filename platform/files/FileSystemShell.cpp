#include "platform/files/FileSystemShell.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/desktop/IMessageBoxes.h"
#include "platform/files/LiveProcess.h"
#include "platform/files/SafeWrite.h"
#include "platform/files/StaleTemporaries.h"
#include "platform/files/TemporaryName.h"

namespace fs = std::filesystem;

namespace {

// Why one source could not be handled; ends the whole operation.
struct Failure {
  fs::path Source;
  fs::path Target;
  std::string Reason;
};

[[noreturn]] void Fail(const fs::path& source, const fs::path& target, std::error_code error) {
  throw Failure{source, target, error.message()};
}

[[noreturn]] void Fail(const fs::path& source, const fs::path& target, std::errc error) {
  Fail(source, target, std::make_error_code(error));
}

std::string FolderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path().string() : std::string(".");
}

bool IsFolder(const fs::path& path) {
  std::error_code ignored;
  return fs::is_directory(path, ignored);
}

bool Exists(const fs::path& path) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(path, ignored));
}

// The error of the system call that just failed.
std::error_code LastError() {
  return {errno, std::generic_category()};
}

// A file descriptor closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Fd() const { return fd_; }

 private:
  int fd_;
};

std::error_code CopyBytes(int from, int to) {
  constexpr std::size_t kChunk = 128 * 1024;
  std::vector<char> buffer(kChunk);
  for (;;) {
    const ssize_t got = ::read(from, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (got == 0) return {};
    const std::string_view bytes(buffer.data(), static_cast<std::size_t>(got));
    if (auto error = SafeWrite::WriteAll(to, bytes)) return error;
  }
}

// Earlier versions named a copy under way ".<name>.<pid>-<n>.part", beside its target.
constexpr std::string_view kPartEnd = ".part";

// The process that wrote a part file, when the name is one.
std::optional<long> PartWriter(std::string_view name) {
  if (!name.starts_with('.') || !name.ends_with(kPartEnd)) return std::nullopt;
  name.remove_suffix(kPartEnd.size());
  const std::size_t dash = name.rfind('-');
  const std::size_t dot = name.rfind('.', dash);
  if (dash == std::string_view::npos || dot == std::string_view::npos || dot == 0) {
    return std::nullopt;
  }
  const std::string_view pid = name.substr(dot + 1, dash - dot - 1);
  const std::string_view n = name.substr(dash + 1);
  const auto digits = [](std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!digits(pid) || !digits(n)) return std::nullopt;
  return std::strtol(std::string(pid).c_str(), nullptr, 10);
}

// Copies a file's bytes to target, every write, the flush to the disk and the close checked, so
// that the error reported is the one the kernel gave (a full disk stays "no space left", where
// std::filesystem::copy_file turns it into an I/O error). The bytes go to a new file that takes
// target's name only once complete: a copy that fails leaves no partial file behind, and a file
// it was to replace keeps its bytes.
std::error_code CopyRegularFile(const fs::path& source, const fs::path& target) {
  // Non-blocking, so that a named pipe given as the source cannot hang the operation.
  const Descriptor input(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (input.Fd() < 0) return LastError();
  struct stat status {};
  if (::fstat(input.Fd(), &status) != 0) return LastError();
  if (!S_ISREG(status.st_mode)) return std::make_error_code(std::errc::not_supported);
  SafeWrite::ReplaceOptions options;
  options.NewFileMode = status.st_mode & 07777;
  // Some file systems cannot flush a file; their data is as safe as they make it.
  options.FlushMayBeUnsupported = true;
  // The folder is flushed after the rename: until then, a power cut can lose the new name while
  // a record of the file (an installed font's registry value) is already on the disk.
  return SafeWrite::Replace(
      target.string(), [&input](int output) { return CopyBytes(input.Fd(), output); }, options);
}

// Where each source goes.
std::vector<fs::path> Targets(const std::vector<fs::path>& sources,
                              const std::vector<fs::path>& destinations) {
  if (destinations.empty()) Fail(sources.front(), {}, std::errc::invalid_argument);
  if (destinations.size() == sources.size() &&
      (sources.size() > 1 ||
       (!destinations.front().native().ends_with('/') && !IsFolder(destinations.front())))) {
    return destinations;
  }
  if (destinations.size() != 1) {
    Fail(sources.front(), destinations.front(), std::errc::invalid_argument);
  }
  std::vector<fs::path> targets;
  for (const fs::path& source : sources) {
    targets.push_back(destinations.front() / source.filename());
  }
  return targets;
}

std::string ErrorText(const Failure& failure) {
  std::string text = "Cannot copy \"" + failure.Source.string() + "\"";
  if (!failure.Target.empty()) text += " to \"" + failure.Target.string() + "\"";
  return text + ":\r" + failure.Reason + ".";
}

}  // namespace

bool FileSystemShell::FileOperation(ShellRequest& request) {
  request.AnyOperationsAborted = false;
  const std::vector<fs::path> sources(request.From.begin(), request.From.end());
  if (sources.empty()) return false;
  try {
    const std::vector<fs::path> targets =
        Targets(sources, std::vector<fs::path>(request.To.begin(), request.To.end()));
    for (std::size_t i = 0; i < sources.size(); ++i) Transfer(request, sources[i], targets[i]);
    return true;
  } catch (const Failure& failure) {
    if ((request.Flags & ShellOp::FOF_NOERRORUI) == 0) {
      messages_.Show(MessageKind::Error, "Error", ErrorText(failure));
    }
    return false;
  }
}

void FileSystemShell::Transfer(ShellRequest& request, const fs::path& source,
                               const fs::path& target) {
  if (!Exists(source)) Fail(source, {}, std::errc::no_such_file_or_directory);
  if (Exists(target)) {
    std::error_code error;
    // A file is never copied onto itself: it already is where it should be.
    if (fs::equivalent(source, target, error)) return;
    // Replacing a file needs the user's consent, and there is no one to ask.
    if ((request.Flags & ShellOp::FOF_NOCONFIRMATION) == 0) {
      request.AnyOperationsAborted = true;
      return;
    }
    if (IsFolder(target) != IsFolder(source)) Fail(source, target, std::errc::file_exists);
  }
  std::error_code error;
  if (target.has_parent_path()) {
    fs::create_directories(target.parent_path(), error);
    if (error) Fail(source, target, error);
  }
  RemoveOrphanedParts(FolderOf(target));
  Copy(source, target);
}

// What copies of a killed run left in a folder it copies into, once a run: parts whose writer no
// longer runs.
void FileSystemShell::RemoveOrphanedParts(const std::string& folder) {
  if (!cleared_.insert(folder).second) return;
  RemoveStaleTemporaries(folder, [](std::string_view name) {
    if (TemporaryName::WriterOf(name)) return true;
    const std::optional<long> writer = PartWriter(name);
    return writer && !ProcessRuns(*writer);
  });
}

void FileSystemShell::Copy(const fs::path& source, const fs::path& target) {
  if (!IsFolder(source)) {
    if (const std::error_code error = CopyRegularFile(source, target)) {
      Fail(source, target, error);
    }
    return;
  }
  // A folder goes into the target folder (made with the source's attributes, or joined when it
  // is there), each file copied as a single one is, so that the cause of a failure survives.
  std::error_code error;
  fs::create_directory(target, source, error);
  if (error) Fail(source, target, error);
  fs::directory_iterator entry(source, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    Copy(entry->path(), target / entry->path().filename());
  }
  if (error) Fail(source, target, error);
}

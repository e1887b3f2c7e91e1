#include "platform/fonts/PrivateFontCopies.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "platform/files/DurableFile.h"
#include "platform/files/LiveProcess.h"

namespace fs = std::filesystem;

namespace {

// "glyphera-faces-<pid>-XXXXXX": the process id tells a live run's folder from an orphan's.
constexpr std::string_view kPrefix = "glyphera-faces-";
// "glyphera-faces-run-<uid>-<n>": a folder of fixed name, locked by the run that uses it; the
// next run that takes it clears what a killed one left.
constexpr std::string_view kFixedPrefix = "glyphera-faces-run-";
constexpr int kFixedFolders = 16;

fs::path TemporaryFolder() {
  std::error_code error;
  fs::path folder = fs::temp_directory_path(error);
  return error ? fs::path("/tmp") : folder;
}

void RemoveContents(const fs::path& folder) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    std::error_code ignored;
    fs::remove_all(entry.path(), ignored);
  }
}

}  // namespace

PrivateFontCopies::~PrivateFontCopies() {
  if (folder_.empty()) return;
  std::error_code ignored;
  if (folderLock_ >= 0) {
    RemoveContents(folder_);
    close(folderLock_);
  } else {
    fs::remove_all(folder_, ignored);
  }
}

bool PrivateFontCopies::TakeFixedFolder() {
  for (int n = 0; n < kFixedFolders; ++n) {
    const std::string folder = (TemporaryFolder() / kFixedPrefix).string() +
                               std::to_string(getuid()) + "-" + std::to_string(n);
    mkdir(folder.c_str(), 0700);
    // Only a folder of this user's that no one else can write is taken: the temporary folder
    // is everyone's.
    struct stat status {};
    if (lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != getuid() || (status.st_mode & 077) != 0) {
      continue;
    }
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      continue;
    }
    RemoveContents(folder);
    folderLock_ = fd;
    folder_ = folder;
    return true;
  }
  return false;
}

bool PrivateFontCopies::MakeFolder() {
  if (!folder_.empty()) return true;
  if (sameNames_ && TakeFixedFolder()) return true;
  std::string name = (TemporaryFolder() / kPrefix).string() + std::to_string(getpid()) + "-XXXXXX";
  std::vector<char> pattern(name.begin(), name.end());
  pattern.push_back('\0');
  if (mkdtemp(pattern.data()) == nullptr) return false;
  folder_ = pattern.data();
  return true;
}

std::string PrivateFontCopies::Make(std::string_view bytes) {
  if (!MakeFolder()) return {};
  const std::string copy = folder_ + "/" + std::to_string(++made_) + ".font";
  return WriteNewPrivateFile(copy, bytes) ? std::string() : copy;
}

void PrivateFontCopies::Remove(const std::string& copy) {
  if (!copy.empty()) unlink(copy.c_str());
}

bool IsPrivateFontCopy(const char* file) {
  static const std::string folders = (TemporaryFolder() / kPrefix).string();
  return std::string_view(file).substr(0, folders.size()) == folders;
}

void RemoveOrphanedFontCopies() {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(TemporaryFolder(), error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kPrefix, 0) != 0) continue;
    // A folder of fixed name carries no process id: the run that takes it next clears it.
    char* end = nullptr;
    const long pid = std::strtol(name.c_str() + kPrefix.size(), &end, 10);
    if (end == name.c_str() + kPrefix.size() || pid <= 0) continue;
    std::error_code ignored;
    if (!ProcessRuns(pid) && entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
      fs::remove_all(entry.path(), ignored);
    }
  }
}

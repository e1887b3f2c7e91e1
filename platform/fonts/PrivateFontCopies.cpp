#include "platform/fonts/PrivateFontCopies.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "platform/files/DurableFile.h"
#include "platform/files/LiveProcess.h"

namespace fs = std::filesystem;

namespace {

// "glyphera-faces-<pid>-XXXXXX": the process id tells a live run's folder from an orphan's.
constexpr std::string_view kPrefix = "glyphera-faces-";

fs::path TemporaryFolder() {
  std::error_code error;
  fs::path folder = fs::temp_directory_path(error);
  return error ? fs::path("/tmp") : folder;
}

}  // namespace

PrivateFontCopies::~PrivateFontCopies() {
  if (folder_.empty()) return;
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

bool PrivateFontCopies::MakeFolder() {
  if (!folder_.empty()) return true;
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
    const long pid = std::strtol(name.c_str() + kPrefix.size(), nullptr, 10);
    std::error_code ignored;
    if (!ProcessRuns(pid) && entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
      fs::remove_all(entry.path(), ignored);
    }
  }
}

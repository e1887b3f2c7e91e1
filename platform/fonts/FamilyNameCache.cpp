#include "platform/fonts/FamilyNameCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <sstream>
#include <string_view>

#include "platform/files/DurableFile.h"
#include "platform/files/StaleTemporaries.h"
#include "platform/files/TemporaryName.h"
#include "platform/storage/XdgFolders.h"

// The file: a first line naming its format, then for each folder a line
// "D<TAB><folder><TAB><stamp>" followed by one line per face, "F<TAB><file>/<index><TAB><name>"
// for a name read or "N<TAB><file>/<index>" for a face that has none. Paths and names hold no
// tab or line break (such a face is simply not kept).

namespace {

constexpr std::string_view kFormat = "glyphera family names 1";

std::string StampOf(const std::string& folder) {
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0) return {};
  return std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
}

bool Storable(std::string_view text) {
  return text.find_first_of("\t\n\r") == std::string_view::npos;
}

// The file's bytes in `text`, or why it cannot be read. A missing file is empty. It is opened
// without following a link and without waiting for a writer (a named pipe), and only a regular
// file of at most kLargestFile bytes is read: a link to a device would otherwise be read for ever.
std::optional<std::string> ReadCacheFile(const std::string& path, std::string& text) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    return errno == ELOOP ? "it is a symbolic link" : std::strerror(errno);
  }
  std::optional<std::string> why;
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    why = std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    why = "it is a folder";
  } else if (!S_ISREG(info.st_mode)) {
    why = "it is not a regular file";
  } else if (static_cast<std::uintmax_t>(info.st_size) > FamilyNameCache::kLargestFile) {
    why = "it is larger than a cache can be";
  } else {
    // One byte more than the limit tells a file that grew since it was measured.
    text.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t have = 0;
    while (have < text.size()) {
      const ssize_t got = read(fd, text.data() + have, text.size() - have);
      if (got == 0) break;
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        why = std::strerror(errno);
        break;
      }
      have += static_cast<std::size_t>(got);
      if (have == text.size() && have <= FamilyNameCache::kLargestFile) {
        text.resize(std::min(have * 2, FamilyNameCache::kLargestFile + 1));
      }
    }
    text.resize(have);
    if (!why && have > FamilyNameCache::kLargestFile) why = "it is larger than a cache can be";
  }
  close(fd);
  if (why) text.clear();
  return why;
}

// Whether something other than a regular file stands at the path.
bool OtherThanAFile(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

std::pair<std::string, std::string> Split(const std::string& fontFile, int faceIndex) {
  const std::size_t slash = fontFile.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : fontFile.substr(0, slash);
  return {folder, fontFile.substr(slash + 1) + "/" + std::to_string(faceIndex)};
}

}  // namespace

FamilyNameCache::FamilyNameCache(std::string cacheFile) : file_(std::move(cacheFile)) {}

std::string FamilyNameCache::DefaultFile() {
  return XdgFolder("XDG_CACHE_HOME", ".cache") + "/glyphera/family-names";
}

void FamilyNameCache::Warn(const std::string& why) {
  if (warned_) return;
  warned_ = true;
  // Standard error, not a message box: the cache is the program's own affair, and its names are
  // read from the font files all the same.
  std::fprintf(stderr,
               "%s: the family-name cache %s is not used: %s; names are read from the font files\n",
               program_invocation_short_name, file_.c_str(), why.c_str());
}

void FamilyNameCache::Load() {
  loaded_ = true;
  try {
    std::string text;
    if (const std::optional<std::string> why = ReadCacheFile(file_, text)) {
      Warn(*why);
      return;
    }
    Read(text);
  } catch (const std::exception& error) {
    folders_.clear();
    Warn(error.what());
  }
}

void FamilyNameCache::Read(const std::string& text) {
  // Cut in place: the file holds a line for every face of thousands.
  std::string_view rest = text;
  const auto nextLine = [&rest]() {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return line;
  };
  if (nextLine() != kFormat) return;
  Folder* folder = nullptr;
  while (!rest.empty()) {
    const std::string_view line = nextLine();
    const std::string_view fields = line.substr(std::min<std::size_t>(2, line.size()));
    const std::size_t tab = fields.find('\t');
    if (line.starts_with("D\t") && tab != std::string_view::npos) {
      folder = &folders_[std::string(fields.substr(0, tab))];
      folder->Stamp = fields.substr(tab + 1);
    } else if (folder && line.starts_with("F\t") && tab != std::string_view::npos) {
      folder->Names.emplace(fields.substr(0, tab), std::string(fields.substr(tab + 1)));
    } else if (folder && line.starts_with("N\t")) {
      folder->Names.emplace(fields, std::nullopt);
    }
  }
  loadedFolders_ = folders_.size();
}

FamilyNameCache::Folder* FamilyNameCache::Current(const std::string& folder) {
  if (!loaded_) Load();
  auto stamp = stamps_.find(folder);
  if (stamp == stamps_.end()) stamp = stamps_.emplace(folder, StampOf(folder)).first;
  if (stamp->second.empty()) return nullptr;
  Folder& kept = folders_[folder];
  if (kept.Stamp != stamp->second) {
    kept.Stamp = stamp->second;
    kept.Names.clear();
    changed_ = true;
  }
  return &kept;
}

std::optional<FamilyNameCache::Name> FamilyNameCache::Find(const std::string& fontFile,
                                                           int faceIndex) {
  // The faces are asked for folder by folder: the folder of the last is looked up once.
  const std::size_t slash = fontFile.rfind('/');
  const std::string_view folder =
      slash == std::string::npos ? std::string_view() : std::string_view(fontFile).substr(0, slash);
  if (!lastFolder_ || folder != lastFolderName_) {
    lastFolderName_ = folder;
    lastFolder_ = Current(lastFolderName_);
  }
  Folder* kept = *lastFolder_;
  if (!kept) return std::nullopt;
  std::string face = fontFile.substr(slash + 1);
  face += '/';
  face += std::to_string(faceIndex);
  const auto found = kept->Names.find(face);
  if (found == kept->Names.end()) return std::nullopt;
  return found->second;
}

void FamilyNameCache::Put(const std::string& fontFile, int faceIndex, Name name) {
  const auto [folder, face] = Split(fontFile, faceIndex);
  if (!Storable(fontFile) || (name && !Storable(*name))) return;
  Folder* kept = Current(folder);
  if (!kept) return;
  kept->Names[face] = std::move(name);
  changed_ = true;
}

void FamilyNameCache::Save() {
  try {
    Write();
  } catch (const std::exception& error) {
    Warn(error.what());
  }
}

void FamilyNameCache::Write() {
  lastFolder_.reset();
  // Only the folders looked at in this run are kept: a folder no longer listed (a font folder
  // removed, another configuration's) would otherwise stay in the file for ever.
  std::erase_if(folders_, [this](const auto& folder) { return !stamps_.contains(folder.first); });
  if (!changed_ && folders_.size() == loadedFolders_) return;
  changed_ = false;
  loadedFolders_ = folders_.size();
  std::ostringstream out;
  out << kFormat << '\n';
  for (const auto& [path, folder] : folders_) {
    if (!Storable(path)) continue;
    out << "D\t" << path << '\t' << folder.Stamp << '\n';
    for (const auto& [face, name] : folder.Names) {
      if (name) {
        out << "F\t" << face << '\t' << *name << '\n';
      } else {
        out << "N\t" << face << '\n';
      }
    }
  }
  const std::filesystem::path target(file_);
  const std::string folder = target.parent_path().string();
  const std::string name = target.filename().string();
  // A folder, a pipe or a link at the path is the user's, not a cache to replace.
  if (OtherThanAFile(file_)) {
    Warn("it is not a regular file");
    return;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return;
  RemoveStaleTemporaries(
      folder, [&name](std::string_view entry) { return TemporaryName::IsFor(entry, name); });
  const std::string temporary = folder + "/" + TemporaryName::For(name);
  if (WriteNewPrivateFile(temporary, out.str())) return;
  if (std::rename(temporary.c_str(), file_.c_str()) != 0) std::remove(temporary.c_str());
}

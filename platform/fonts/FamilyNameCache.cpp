#include "platform/fonts/FamilyNameCache.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
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

void FamilyNameCache::Load() {
  loaded_ = true;
  // Read whole and cut in place: the file holds a line for every face of thousands.
  std::ifstream in(file_, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return;
  RemoveStaleTemporaries(
      folder, [&name](std::string_view entry) { return TemporaryName::IsFor(entry, name); });
  const std::string temporary = folder + "/" + TemporaryName::For(name);
  if (WriteNewPrivateFile(temporary, out.str())) return;
  if (std::rename(temporary.c_str(), file_.c_str()) != 0) std::remove(temporary.c_str());
}

#pragma once

#include <optional>
#include <string>
#include <unordered_map>

// The family names read from font files, kept from one run to the next in a file of the user's
// cache folder, so that a start does not open thousands of font files again. Names are kept per
// folder with the folder's modification time, as fontconfig keeps its own cache: a font file
// added, removed or replaced in a folder changes that time, and every name of the folder is
// read afresh. The file is only a cache: one that is missing, damaged or cannot be written
// costs the reads, nothing else. One that cannot be read (a folder, a pipe, a link, a device, a
// file larger than kLargestFile) is ignored with one warning on standard error, and nothing is
// written while something other than a regular file stands at its path. No call throws.
class FamilyNameCache {
 public:
  // What was read of a face: its name, or nothing when it has none.
  using Name = std::optional<std::string>;

  explicit FamilyNameCache(std::string cacheFile);

  // The name kept for the face, when its folder has not changed since.
  std::optional<Name> Find(const std::string& fontFile, int faceIndex);
  void Put(const std::string& fontFile, int faceIndex, Name name);
  // Writes the file when anything was put since it was read.
  void Save();

  // $XDG_CACHE_HOME/glyphera/family-names.
  static std::string DefaultFile();

  // A cache for 100,000 faces is about 6 MB; a larger file is no cache of this program's.
  static constexpr std::size_t kLargestFile = std::size_t{64} << 20;

 private:
  struct Folder {
    std::string Stamp;  // the folder's modification time when its names were read
    std::unordered_map<std::string, Name> Names;  // by "<file name>/<face index>"
  };
  Folder* Current(const std::string& folder);
  void Load();
  void Read(const std::string& text);
  void Write();
  void Warn(const std::string& why);

  std::string file_;
  bool loaded_ = false;
  bool changed_ = false;
  bool warned_ = false;
  std::size_t loadedFolders_ = 0;  // how many folders the file held when read
  std::unordered_map<std::string, Folder> folders_;
  // The stamps of the folders looked at in this run, each taken once.
  std::unordered_map<std::string, std::string> stamps_;
  // The folder Find looked up last, and what Current gave for it.
  std::string lastFolderName_;
  std::optional<Folder*> lastFolder_;
};

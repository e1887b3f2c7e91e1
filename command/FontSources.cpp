#include "command/FontSources.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <utility>

#include "command/PrintOptions.h"
#include "install/FontFileKinds.h"
#include "install/FontNameReader.h"
#include "platform/files/FilesMatching.h"
#include "platform/fonts/IFontFileCheck.h"
#include "platform/fonts/IFontServices.h"
#include "platform/text/TextCompare.h"
#include "platform/text/Trimmed.h"

namespace fs = std::filesystem;

namespace {

bool SortsBefore(const std::string& a, const std::string& b) {
  return CompareText(a, b) < 0;
}

class Lister {
 public:
  Lister(IFontServices& fonts, const std::vector<std::string>* queue)
      : fonts_(fonts), queueFamilies_(queue) {}

  void Family(const std::string& argument) {
    if (families_.empty()) {
      const std::vector<std::string> listed =
          queueFamilies_ ? *queueFamilies_ : ListedFamilies(fonts_);
      for (const std::string& family : listed) families_.emplace(FoldCase(family), family);
    }
    const auto found = families_.find(FoldCase(argument));
    if (found == families_.end()) {
      Fail(argument, "no installed font family has this name, and no file either");
      return;
    }
    Listed(NamedSource::Family, found->second);
  }

  void File(const std::string& name, const fs::path& path) {
    result.push_back({NamedSource::File, name, path.string()});
  }

  void Folder(const fs::path& folder, bool recursive, const std::string& argument) {
    const std::size_t before = result.size();
    std::error_code error;
    std::set<std::pair<dev_t, ino_t>> visited;
    ReadFolder(folder, recursive, visited, error);
    const bool anyFile =
        std::any_of(result.begin() + static_cast<std::ptrdiff_t>(before), result.end(),
                    [](const NamedSource& named) { return named.What == NamedSource::File; });
    if (error) {
      Fail(argument, error.message());
    } else if (!anyFile) {
      Fail(argument, "no font file in this folder");
    }
  }

  void Listed(NamedSource::Kind kind, std::string name) {
    result.push_back({kind, std::move(name), {}});
  }

  void Fail(const std::string& argument, const std::string& reason) {
    Listed(NamedSource::Failure, argument + ": " + reason);
  }

  std::vector<NamedSource> result;

 private:
  // The folder's font files as the file list shows them, then its subfolders' when recursive.
  // A link to a folder is no subfolder: it may lead back up, or anywhere. A folder met again
  // (through a bind mount, say) is not read twice.
  void ReadFolder(const fs::path& folder, bool recursive,
                  std::set<std::pair<dev_t, ino_t>>& visited, std::error_code& error) {
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0 && !visited.emplace(info.st_dev, info.st_ino).second) {
      return;
    }
    std::vector<std::string> folders;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
      const std::string name = entry->path().filename().string();
      std::error_code kind;
      if (recursive && !name.starts_with('.') && !entry->is_symlink(kind) &&
          entry->is_directory(kind)) {
        folders.push_back(name);
      }
    }
    if (error) return;
    for (const std::string& name : FilesMatching(folder.string(), kFontFileMask)) {
      File((folder / name).string(), folder / name);
    }
    std::sort(folders.begin(), folders.end(), SortsBefore);
    for (const std::string& name : folders) {
      std::error_code inner;
      ReadFolder(folder / name, true, visited, inner);
      if (inner) Fail((folder / name).string(), inner.message());
    }
  }

  IFontServices& fonts_;
  // The families a queue lists, installed or its printer's own; without one, the installed ones.
  const std::vector<std::string>* queueFamilies_;
  std::map<std::string, std::string> families_;
};

}  // namespace

std::vector<std::string> ListedFamilies(IFontServices& fonts) {
  std::vector<std::string> families = fonts.InstalledFamilies();
  std::stable_sort(families.begin(), families.end(), SortsBefore);
  return families;
}

std::vector<NamedSource> ListFontSources(const PrintOptions& options, IFontServices& fonts,
                                         const std::vector<std::string>* queueFamilies) {
  Lister list(fonts, queueFamilies);
  if (options.All) {
    for (std::string& family : ListedFamilies(fonts)) {
      list.Listed(NamedSource::Family, std::move(family));
    }
  }
  for (const std::string& argument : options.Fonts) {
    std::error_code error;
    const fs::file_status status = fs::status(argument, error);
    if (fs::is_directory(status)) {
      list.Folder(argument, options.Recursive, argument);
    } else if (fs::exists(status)) {
      list.File(argument, fs::absolute(argument));
    } else if (argument.find('/') != std::string::npos) {
      list.Fail(argument, "no such file or folder");
    } else {
      list.Family(argument);
    }
  }
  return std::move(list.result);
}

FontSources ReadFontSources(const std::vector<NamedSource>& named, IFontFileCheck& check) {
  FontSources sources;
  for (const NamedSource& source : named) {
    if (source.What == NamedSource::Failure) {
      sources.Failures.push_back(source.Name);
      continue;
    }
    if (source.What == NamedSource::Family) {
      sources.Faces.push_back({source.Name, std::nullopt, {}});
      continue;
    }
    const fs::path path(source.Path);
    bool any = false;
    for (const FontFace& face :
         ReadFontFaces(path.parent_path().string(), path.filename().string())) {
      if (!check.OpensAsFont(source.Path, face.Entry->FaceIndex)) continue;
      sources.Faces.push_back({Trimmed(face.FullName), face, source.Path});
      any = true;
    }
    if (!any) sources.Failures.push_back(source.Name + ": not a font this program can read");
  }
  return sources;
}

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

class Resolver {
 public:
  Resolver(IFontServices& fonts, IFontFileCheck& check) : fonts_(fonts), check_(check) {}

  void Family(const std::string& argument) {
    if (families_.empty()) {
      for (std::string& family : ListedFamilies(fonts_)) {
        families_.emplace(FoldCase(family), std::move(family));
      }
    }
    const auto found = families_.find(FoldCase(argument));
    if (found == families_.end()) {
      Fail(argument, "no installed font family has this name, and no file either");
      return;
    }
    result.Faces.push_back({found->second, std::nullopt, {}});
  }

  // The faces of one file; false when it has none.
  bool File(const fs::path& path) {
    const std::vector<FontFace> faces =
        ReadFontFaces(path.parent_path().string(), path.filename().string());
    bool any = false;
    for (const FontFace& face : faces) {
      if (!check_.OpensAsFont(path.string(), face.Entry->FaceIndex)) continue;
      result.Faces.push_back({Trimmed(face.FullName), face, path.string()});
      any = true;
    }
    return any;
  }

  void Folder(const fs::path& folder, bool recursive, const std::string& argument) {
    const std::size_t before = result.Faces.size();
    std::error_code error;
    std::set<std::pair<dev_t, ino_t>> visited;
    ReadFolder(folder, recursive, visited, error);
    if (error) {
      Fail(argument, error.message());
    } else if (result.Faces.size() == before) {
      Fail(argument, "no font file in this folder");
    }
  }

  void Fail(const std::string& argument, const std::string& reason) {
    result.Failures.push_back(argument + ": " + reason);
  }

  FontSources result;

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
      if (!File(folder / name)) Fail((folder / name).string(), "not a font this program can read");
    }
    std::sort(folders.begin(), folders.end(), SortsBefore);
    for (const std::string& name : folders) {
      std::error_code inner;
      ReadFolder(folder / name, true, visited, inner);
      if (inner) Fail((folder / name).string(), inner.message());
    }
  }

  IFontServices& fonts_;
  IFontFileCheck& check_;
  std::map<std::string, std::string> families_;
};

}  // namespace

std::vector<std::string> ListedFamilies(IFontServices& fonts) {
  std::vector<std::string> families = fonts.InstalledFamilies();
  std::stable_sort(families.begin(), families.end(), SortsBefore);
  return families;
}

FontSources ResolveFontSources(const PrintOptions& options, IFontServices& fonts,
                               IFontFileCheck& check) {
  Resolver resolve(fonts, check);
  if (options.All) {
    for (std::string& family : ListedFamilies(fonts)) {
      resolve.result.Faces.push_back({std::move(family), std::nullopt, {}});
    }
  }
  for (const std::string& argument : options.Fonts) {
    std::error_code error;
    const fs::file_status status = fs::status(argument, error);
    if (fs::is_directory(status)) {
      resolve.Folder(argument, options.Recursive, argument);
    } else if (fs::exists(status)) {
      if (!resolve.File(fs::absolute(argument))) {
        resolve.Fail(argument, "not a font this program can read");
      }
    } else if (argument.find('/') != std::string::npos) {
      resolve.Fail(argument, "no such file or folder");
    } else {
      resolve.Family(argument);
    }
  }
  return std::move(resolve.result);
}

#include "platform/FileSystemShell.h"

#include <system_error>
#include <vector>

#include "platform/IMessageBoxes.h"

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

// The paths of a list, up to the empty entry (or the end of the string) that closes it.
std::vector<fs::path> SplitList(const std::string& list) {
  std::vector<fs::path> paths;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t stop = list.find('\0', start);
    if (stop == std::string::npos) stop = list.size();
    if (stop == start) break;
    paths.emplace_back(list.substr(start, stop - start));
    start = stop + 1;
  }
  return paths;
}

bool IsFolder(const fs::path& path) {
  std::error_code ignored;
  return fs::is_directory(path, ignored);
}

bool Exists(const fs::path& path) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(path, ignored));
}

// Where each source goes.
std::vector<fs::path> Targets(int operation, const std::vector<fs::path>& sources,
                              const std::vector<fs::path>& destinations) {
  if (destinations.empty()) Fail(sources.front(), {}, std::errc::invalid_argument);
  if (destinations.size() == sources.size() &&
      (sources.size() > 1 || operation == ShellOp::FO_RENAME ||
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

const char* Verb(int operation) {
  switch (operation) {
    case ShellOp::FO_MOVE:
      return "move";
    case ShellOp::FO_COPY:
      return "copy";
    case ShellOp::FO_DELETE:
      return "delete";
    default:
      return "rename";
  }
}

std::string ErrorText(int operation, const Failure& failure) {
  std::string text =
      std::string("Cannot ") + Verb(operation) + " \"" + failure.Source.string() + "\"";
  if (!failure.Target.empty()) text += " to \"" + failure.Target.string() + "\"";
  return text + ":\r" + failure.Reason + ".";
}

}  // namespace

bool FileSystemShell::FileOperation(ShellRequest& request) {
  request.AnyOperationsAborted = false;
  if (request.Operation < ShellOp::FO_MOVE || request.Operation > ShellOp::FO_RENAME) return false;
  const std::vector<fs::path> sources = SplitList(request.From);
  if (sources.empty()) return false;
  try {
    if (request.Operation == ShellOp::FO_DELETE) {
      for (const fs::path& source : sources) Delete(source);
      return true;
    }
    const std::vector<fs::path> targets =
        Targets(request.Operation, sources, SplitList(request.To));
    for (std::size_t i = 0; i < sources.size(); ++i) Transfer(request, sources[i], targets[i]);
    return true;
  } catch (const Failure& failure) {
    if ((request.Flags & ShellOp::FOF_NOERRORUI) == 0) {
      messages_.Show(MessageKind::Error, "Error", ErrorText(request.Operation, failure));
    }
    return false;
  }
}

void FileSystemShell::Transfer(ShellRequest& request, const fs::path& source,
                               const fs::path& target) {
  if (!Exists(source)) Fail(source, {}, std::errc::no_such_file_or_directory);
  if (Exists(target)) {
    std::error_code error;
    // A file is never copied or moved onto itself: it already is where it should be.
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
  if (request.Operation == ShellOp::FO_COPY) {
    Copy(source, target);
  } else {
    Move(source, target);
  }
}

void FileSystemShell::Copy(const fs::path& source, const fs::path& target) {
  const bool existed = Exists(target);
  std::error_code error;
  if (IsFolder(source)) {
    fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
             error);
  } else {
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
  }
  if (!error) return;
  // A half-written new file is worse than none.
  std::error_code ignored;
  if (!existed && !IsFolder(source)) fs::remove(target, ignored);
  Fail(source, target, error);
}

void FileSystemShell::Move(const fs::path& source, const fs::path& target) {
  std::error_code error;
  fs::rename(source, target, error);
  if (!error) return;
  // Across file systems, or onto a folder that is not empty: copy, then remove the original.
  if (error != std::errc::cross_device_link && error != std::errc::directory_not_empty &&
      error != std::errc::file_exists) {
    Fail(source, target, error);
  }
  Copy(source, target);
  fs::remove_all(source, error);
  if (error) Fail(source, {}, error);
}

void FileSystemShell::Delete(const fs::path& source) {
  if (!Exists(source)) Fail(source, {}, std::errc::no_such_file_or_directory);
  std::error_code error;
  fs::remove_all(source, error);
  if (error) Fail(source, {}, error);
}

// The registry file is text, one item a line, in the manner of a .reg export:
//
//   ; Glyphera registry
//
//   [HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders]
//   "Fonts"=text:/home/u/.local/share/fonts
//   "Path"=expandable:%USERPROFILE%\\Fonts
//   "Count"=number:42
//
//   [HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
//
// - A line "[ROOT\path]" starts a key; ROOT is HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE and the
//   path is the key's backslash-separated name. A key may have no values: it still exists.
// - A line '"name"=type:data' is a value of the key above it. type is text, expandable (text kept
//   unexpanded) or number (decimal, 0 to 4294967295). The data runs to the end of the line.
// - In the name and in text data, \\ \" \n \r stand for backslash, quote, line feed and carriage
//   return, so any text fits on one line; no other escape exists. A bare quote is accepted in
//   the data, where it cannot end anything.
// - Every other byte is written as it is. Text is UTF-8 but for the names of files, which are
//   kept as the file system's bytes whether or not they are UTF-8, so that a value read back
//   names the same file.
// - Blank lines and lines starting with ';' are ignored; a CR before the line feed is ignored, so
//   a file saved by a Windows editor still reads. Any other line makes the file corrupt.
//
// We write keys and values in the order they were created, one blank line between keys. A write
// holds the lock file ".<name>.lock" beside the file (FileLock), reads the file afresh, and fills
// a temporary named by TemporaryName beside it, which is then renamed over it. Earlier versions
// named their temporaries "<name>.tmp-" and eight lowercase hex digits; those are cleared by age.

#include "platform/storage/RegistryStore.h"

#include "platform/files/FileLock.h"
#include "platform/files/SafeWrite.h"
#include "platform/files/StaleTemporaries.h"
#include "platform/files/TemporaryName.h"
#include "platform/storage/XdgFolders.h"

#include "platform/text/AsciiCase.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "platform/PlatformError.h"
#include "platform/storage/RegistryKeys.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";

// The temporary names of earlier versions: "<name>.tmp-" and eight lowercase hex digits.
constexpr std::string_view kOldTemporaryInfix = ".tmp-";
constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr std::size_t kOldTemporarySuffixLength = 8;
// As many links as the kernel itself follows before giving up on a loop.

struct KeyName {
  RegistryRoot Root = RegistryRoot::CurrentUser;
  std::string Path;
};

struct ParsedValue {
  std::string Name;
  RegistryValue Value;
};

// "\\Software\\\\Microsoft\\" and "Software\\Microsoft" name the same key.
std::string NormaliseKey(std::string_view path) {
  std::string result;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (!result.empty()) result += '\\';
      result.append(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return result;
}

// Whether `key` is `ancestor` itself or lies below it; both normalised.
bool IsSameOrBelow(std::string_view key, std::string_view ancestor) {
  if (key.size() == ancestor.size()) return EqualsIgnoringCase(key, ancestor);
  return key.size() > ancestor.size() && key[ancestor.size()] == '\\' &&
         EqualsIgnoringCase(key.substr(0, ancestor.size()), ancestor);
}

std::string_view RootName(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? kCurrentUser : kLocalMachine;
}

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = LowerAscii(c);
  return folded;
}

// One string for a key that matches however its path is spelt, for lookups while reading.
std::string IndexOf(RegistryRoot root, std::string_view normalisedPath) {
  return (root == RegistryRoot::CurrentUser ? "U" : "M") + FoldCase(normalisedPath);
}

std::string Escape(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\':
        result += "\\\\";
        break;
      case '"':
        result += "\\\"";
        break;
      case '\n':
        result += "\\n";
        break;
      case '\r':
        result += "\\r";
        break;
      default:
        result += c;
    }
  }
  return result;
}

// Decodes text from `pos` up to an unescaped quote (when `stopAtQuote`) or the end of the line.
// Leaves `pos` after the closing quote. Nothing when an escape is unknown or the quote is missing.
std::optional<std::string> Unescape(std::string_view line, std::size_t& pos, bool stopAtQuote) {
  std::string result;
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c == '"' && stopAtQuote) return result;
    if (c != '\\') {
      result += c;
      continue;
    }
    if (pos == line.size()) return std::nullopt;
    switch (line[pos++]) {
      case '\\':
        result += '\\';
        break;
      case '"':
        result += '"';
        break;
      case 'n':
        result += '\n';
        break;
      case 'r':
        result += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  if (stopAtQuote) return std::nullopt;
  return result;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The line starting at `start`, without its line feed or a CR before that; moves `start` past it.
std::string_view NextLine(std::string_view text, std::size_t& start) {
  std::size_t end = text.find('\n', start);
  if (end == std::string_view::npos) end = text.size();
  std::string_view line = text.substr(start, end - start);
  start = end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Whether the text holds only blank lines: nothing a user could lose by seeding it afresh.
bool HoldsNothing(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    if (!IsBlank(NextLine(text, start))) return false;
  }
  return true;
}

// "[ROOT\path]"; nothing when the line is not a well-formed header.
std::optional<KeyName> ParseHeader(std::string_view line) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  const std::string_view inside = line.substr(1, line.size() - 2);
  const std::string_view rootName = inside.substr(0, inside.find('\\'));
  KeyName key;
  if (EqualsIgnoringCase(rootName, kCurrentUser)) {
    key.Root = RegistryRoot::CurrentUser;
  } else if (EqualsIgnoringCase(rootName, kLocalMachine)) {
    key.Root = RegistryRoot::LocalMachine;
  } else {
    return std::nullopt;
  }
  key.Path = NormaliseKey(inside.substr(rootName.size()));
  return key;
}

// The part of a value line after "type:"; nothing when the type is unknown or the data is not
// valid for it.
std::optional<RegistryValue> ParseData(std::string_view type, std::string_view data) {
  RegistryValue value;
  if (EqualsIgnoringCase(type, "number")) {
    value.Type = RegistryType::Number;
    const auto [end, result] =
        std::from_chars(data.data(), data.data() + data.size(), value.Number);
    if (data.empty() || result != std::errc() || end != data.data() + data.size()) {
      return std::nullopt;
    }
    return value;
  }
  if (EqualsIgnoringCase(type, "text")) {
    value.Type = RegistryType::Text;
  } else if (EqualsIgnoringCase(type, "expandable")) {
    value.Type = RegistryType::ExpandableText;
  } else {
    return std::nullopt;
  }
  std::size_t pos = 0;
  std::optional<std::string> text = Unescape(data, pos, false);
  if (!text) return std::nullopt;
  value.Text = std::move(*text);
  return value;
}

// '"name"=type:data'; nothing when the line is not a well-formed value.
std::optional<ParsedValue> ParseValueLine(std::string_view line) {
  if (line.empty() || line.front() != '"') return std::nullopt;
  std::size_t pos = 1;
  std::optional<std::string> name = Unescape(line, pos, true);
  if (!name || pos >= line.size() || line[pos] != '=') return std::nullopt;
  const std::size_t colon = line.find(':', pos + 1);
  if (colon == std::string_view::npos) return std::nullopt;
  std::optional<RegistryValue> value =
      ParseData(line.substr(pos + 1, colon - pos - 1), line.substr(colon + 1));
  if (!value) return std::nullopt;
  return ParsedValue{std::move(*name), std::move(*value)};
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  std::string text;
  char chunk[8192];
  while (in) {
    in.read(chunk, sizeof chunk);
    text.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return text;
}

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Whether `name` is exactly what a write of the file `storeName` by an earlier version called
// its temporary file.
bool IsOldTemporaryName(std::string_view name, std::string_view storeName) {
  const std::size_t prefixLength = storeName.size() + kOldTemporaryInfix.size();
  if (name.size() != prefixLength + kOldTemporarySuffixLength) return false;
  if (name.substr(0, storeName.size()) != storeName ||
      name.substr(storeName.size(), kOldTemporaryInfix.size()) != kOldTemporaryInfix) {
    return false;
  }
  return name.substr(prefixLength).find_first_not_of(kHexDigits) == std::string_view::npos;
}

// Removes the temporary files that writes of `store` left when the program was killed before the
// rename. Clearing up is a courtesy: a file that cannot be listed or removed is left alone.
void RemoveStaleTemporariesOf(const fs::path& store) {
  const std::string storeName = store.filename().string();
  RemoveStaleTemporaries(FolderOf(store).string(), [&storeName](std::string_view name) {
    return TemporaryName::IsFor(name, storeName) || IsOldTemporaryName(name, storeName);
  });
}

// The file a store path really names, following symbolic links (relative ones from the link's
// own folder), so a store kept elsewhere, such as in a dotfiles repository, is rewritten there.
// Nothing when the links go round in a loop or cannot be read.
std::optional<fs::path> ResolveLinks(const fs::path& path) {
  const std::optional<std::string> target = SafeWrite::LinkTarget(path.string());
  if (!target) return std::nullopt;
  return fs::path(*target);
}

}  // namespace

RegistryStore::RegistryStore(std::string filePath) : filePath_(std::move(filePath)) {}

std::string RegistryStore::DefaultFilePath() {
  return XdgFolder("XDG_CONFIG_HOME", ".config") + "/glyphera/registry";
}

bool RegistryStore::KeyExists(RegistryRoot root, const std::string& key) {
  Refresh();
  const std::string path = NormaliseKey(key);
  if (path.empty()) return true;  // the root itself
  for (const Key& stored : keys_) {
    if (stored.Root == root && IsSameOrBelow(stored.Path, path)) return true;
  }
  return false;
}

std::optional<RegistryValue> RegistryStore::QueryValue(RegistryRoot root, const std::string& key,
                                                       const std::string& name) {
  Refresh();
  const Key* stored = FindKey(root, NormaliseKey(key));
  if (stored == nullptr) return std::nullopt;
  for (const NamedValue& value : stored->Values) {
    if (EqualsIgnoringCase(value.Name, name)) return value.Value;
  }
  return std::nullopt;
}

void RegistryStore::SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                             const RegistryValue& value) {
  // A store that cannot be read is reported before anything is made on disk.
  Refresh();
  const std::string path = NormaliseKey(key);
  // A key name is written bare inside its [header] line, where a line break cannot be escaped.
  if (path.find_first_of("\r\n") != std::string::npos) {
    throw PlatformError("The registry key name '" + key + "' is not valid");
  }

  // Keep only the fields of the type, so memory holds exactly what a later read of the file gives.
  RegistryValue stored;
  stored.Type = value.Type;
  if (value.Type == RegistryType::Number) {
    stored.Number = value.Number;
  } else {
    stored.Text = value.Text;
  }

  const std::string file = PreparedTarget();
  const FileLock lock(FileLock::Beside(file), FileLock::Create::IfMissing);
  if (!lock.Held()) throw PlatformError(WriteFailure());
  // Another running copy may have written since the file was read: the change is made to what
  // the file holds now, so that copy's values stay.
  if (ReadFile()) keys_ = Seed();
  if (state_ == State::Failed) throw PlatformError(failure_);

  // Memory must keep matching the file when the write fails, so the change is undone then.
  std::vector<Key> before = keys_;
  Key* target = FindKey(root, path);
  if (target == nullptr) {
    keys_.push_back(Key{root, path, {}});
    target = &keys_.back();
  }
  bool replaced = false;
  for (NamedValue& existing : target->Values) {
    if (EqualsIgnoringCase(existing.Name, name)) {
      existing.Value = stored;  // the name keeps the spelling it was created with
      replaced = true;
      break;
    }
  }
  if (!replaced) target->Values.push_back(NamedValue{name, stored});

  try {
    Write(file);
  } catch (...) {
    keys_ = std::move(before);
    throw;
  }
}

void RegistryStore::Refresh() {
  if (!leftoversCleared_) {
    leftoversCleared_ = true;
    RemoveLeftovers();
  }
  if (state_ == State::NotLoaded || FileVersion::Of(filePath_) != version_) {
    if (ReadFile()) SeedUnderLock();
  }
  if (state_ == State::Failed) throw PlatformError(failure_);
}

// Reads the file into memory and notes its version. True when it holds nothing to keep (it is
// missing, or blank), so that it is to be seeded.
bool RegistryStore::ReadFile() {
  version_ = FileVersion::Of(filePath_);
  std::error_code error;
  const fs::file_status status = fs::status(filePath_, error);
  if (status.type() == fs::file_type::not_found) {
    std::error_code ignored;
    const std::optional<fs::path> target = ResolveLinks(filePath_);
    if (target && *target != fs::path(filePath_) && !fs::is_directory(FolderOf(*target), ignored)) {
      state_ = State::Failed;
      failure_ = "The registry store " + filePath_ + " is a link to " + target->string() +
                 ", in a folder that does not exist";
      return false;
    }
    keys_.clear();
    state_ = State::Loaded;
    return true;
  }

  std::optional<std::string> text;
  if (!error && fs::is_regular_file(status)) text = ReadWholeFile(filePath_);
  if (!text) {
    state_ = State::Failed;
    failure_ = "The registry store " + filePath_ + " cannot be read";
    return false;
  }
  if (HoldsNothing(*text)) {
    keys_.clear();
    state_ = State::Loaded;
    return true;
  }
  Parse(*text);
  return false;
}

// A write leaves its temporary beside the file it replaces, which for a linked store is the link's
// target; the store's own folder is cleared as well, where writes went before it was linked.
void RegistryStore::RemoveLeftovers() const {
  const fs::path store(filePath_);
  RemoveStaleTemporariesOf(store);
  const std::optional<fs::path> target = ResolveLinks(store);
  if (target && *target != store) RemoveStaleTemporariesOf(*target);
}

// Running copies that start together seed the store once: under the lock the file is read again,
// and a seed another copy wrote meanwhile is taken rather than replaced.
void RegistryStore::SeedUnderLock() {
  try {
    const std::string target = PreparedTarget();
    const FileLock lock(FileLock::Beside(target), FileLock::Create::IfMissing);
    if (!lock.Held()) throw PlatformError(WriteFailure());
    if (!ReadFile()) return;
    keys_ = Seed();
    Write(target);
  } catch (const PlatformError&) {
    // Reading works from memory for this run; the next SetValue tries the file again and reports.
    keys_ = Seed();
    state_ = State::Loaded;
  }
}

std::vector<RegistryStore::Key> RegistryStore::Seed() {
  RegistryValue fonts;
  fonts.Type = RegistryType::Text;
  fonts.Text = UserFontsFolder();
  return {Key{RegistryRoot::CurrentUser,
              RegistryKeys::kShellFolders,
              {{RegistryKeys::kFontsValue, fonts}}},
          Key{RegistryRoot::LocalMachine, RegistryKeys::kNtFonts, {}}};
}

void RegistryStore::Parse(const std::string& text) {
  std::vector<Key> keys;
  // Found by folded name rather than by search, so a store of many keys, or a key of many values,
  // reads in time proportional to its size.
  std::unordered_map<std::string, std::size_t> keyIndex;
  std::vector<std::unordered_map<std::string, std::size_t>> valueIndex;  // one for each key
  std::optional<std::size_t> current;  // the key the values belong to; none until a header
  std::size_t lineNumber = 0;
  std::size_t lineStart = 0;

  auto corrupt = [&] {
    state_ = State::Failed;
    failure_ =
        "The registry store " + filePath_ + " is corrupt (line " + std::to_string(lineNumber) + ")";
  };

  while (lineStart < text.size()) {
    const std::string_view line = NextLine(text, lineStart);
    ++lineNumber;
    if (IsBlank(line) || line.front() == ';') continue;

    if (line.front() == '[') {
      std::optional<KeyName> name = ParseHeader(line);
      if (!name) return corrupt();
      // A key written twice (by hand) is one key: its values go together.
      const auto [found, added] =
          keyIndex.try_emplace(IndexOf(name->Root, name->Path), keys.size());
      if (added) {
        keys.push_back(Key{name->Root, std::move(name->Path), {}});
        valueIndex.emplace_back();
      }
      current = found->second;
      continue;
    }

    std::optional<ParsedValue> value = current ? ParseValueLine(line) : std::nullopt;
    if (!value) return corrupt();
    // A value written twice keeps its first place and spelling, and takes the last data.
    std::vector<NamedValue>& values = keys[*current].Values;
    const auto [found, added] =
        valueIndex[*current].try_emplace(FoldCase(value->Name), values.size());
    if (added) {
      values.push_back(NamedValue{std::move(value->Name), std::move(value->Value)});
    } else {
      values[found->second].Value = std::move(value->Value);
    }
  }

  keys_ = std::move(keys);
  state_ = State::Loaded;
}

std::string RegistryStore::Serialise() const {
  std::string text = "; Glyphera registry\n";
  for (const Key& key : keys_) {
    text += "\n[";
    text += RootName(key.Root);
    if (!key.Path.empty()) text += '\\' + key.Path;
    text += "]\n";
    for (const NamedValue& value : key.Values) {
      text += '"' + Escape(value.Name) + "\"=";
      switch (value.Value.Type) {
        case RegistryType::Text:
          text += "text:" + Escape(value.Value.Text);
          break;
        case RegistryType::ExpandableText:
          text += "expandable:" + Escape(value.Value.Text);
          break;
        case RegistryType::Number:
          text += "number:" + std::to_string(value.Value.Number);
          break;
      }
      text += '\n';
    }
  }
  return text;
}

// The file a write replaces: the one the store path names through its links. The store's folder
// is made when it is missing.
std::string RegistryStore::PreparedTarget() const {
  const fs::path store(filePath_);
  std::error_code error;
  if (store.has_parent_path()) {
    fs::create_directories(store.parent_path(), error);
    if (error) throw PlatformError(WriteFailure());
  }
  const std::optional<fs::path> target = ResolveLinks(store);
  if (!target) throw PlatformError(WriteFailure());
  return target->string();
}

// The new contents replace the file durably, so a failure or crash at any point leaves the old file
// whole. A linked store is replaced at its target, so the link stays a link.
void RegistryStore::Write(const std::string& target) {
  if (SafeWrite::Replace(target, Serialise())) throw PlatformError(WriteFailure());
  version_ = FileVersion::Of(filePath_);
  state_ = State::Loaded;
}

RegistryStore::Key* RegistryStore::FindKey(RegistryRoot root, const std::string& normalisedPath) {
  for (Key& key : keys_) {
    if (key.Root == root && EqualsIgnoringCase(key.Path, normalisedPath)) return &key;
  }
  return nullptr;
}

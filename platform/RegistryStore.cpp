// The registry file is UTF-8 text, one item a line, in the manner of a .reg export:
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
// - Blank lines and lines starting with ';' are ignored; a CR before the line feed is ignored, so
//   a file saved by a Windows editor still reads. Any other line makes the file corrupt.
//
// We write keys and values in the order they were created, one blank line between keys.

#include "platform/RegistryStore.h"

#include "platform/AsciiCase.h"

#include <pwd.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>
#include <utility>

#include "platform/PlatformError.h"
#include "platform/RegistryKeys.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";

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

std::string StripTrailingSlashes(std::string path) {
  while (!path.empty() && path.back() == '/') path.pop_back();
  return path;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  // A process started without HOME (by a service manager, say) still has one in the user database.
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
}

// An XDG base folder: the variable when it holds an absolute path (relative ones are to be
// ignored), otherwise the default under the home folder. Never ends with a slash.
std::string XdgFolder(const char* variable, std::string_view defaultUnderHome) {
  if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
    return StripTrailingSlashes(value);
  }
  return StripTrailingSlashes(HomeFolder()) + "/" + std::string(defaultUnderHome);
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

std::string RandomSuffix() {
  std::random_device device;
  std::uniform_int_distribution<unsigned> digit(0, 15);
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix += "0123456789abcdef"[digit(device)];
  return suffix;
}

}  // namespace

RegistryStore::RegistryStore(std::string filePath) : filePath_(std::move(filePath)) {}

std::string RegistryStore::DefaultFilePath() {
  return XdgFolder("XDG_CONFIG_HOME", ".config") + "/glyphera/registry";
}

bool RegistryStore::KeyExists(RegistryRoot root, const std::string& key) {
  EnsureLoaded();
  const std::string path = NormaliseKey(key);
  if (path.empty()) return true;  // the root itself
  for (const Key& stored : keys_) {
    if (stored.Root == root && IsSameOrBelow(stored.Path, path)) return true;
  }
  return false;
}

std::optional<RegistryValue> RegistryStore::QueryValue(RegistryRoot root, const std::string& key,
                                                       const std::string& name) {
  EnsureLoaded();
  const Key* stored = FindKey(root, NormaliseKey(key));
  if (stored == nullptr) return std::nullopt;
  for (const NamedValue& value : stored->Values) {
    if (EqualsIgnoringCase(value.Name, name)) return value.Value;
  }
  return std::nullopt;
}

void RegistryStore::SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                             const RegistryValue& value) {
  EnsureLoaded();
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
    Write();
  } catch (...) {
    keys_ = std::move(before);
    throw;
  }
}

void RegistryStore::EnsureLoaded() {
  if (state_ == State::NotLoaded) Load();
  if (state_ == State::Failed) throw PlatformError(failure_);
}

void RegistryStore::Load() {
  std::error_code error;
  const fs::file_status status = fs::status(filePath_, error);
  if (status.type() == fs::file_type::not_found) {
    Seed();
    return;
  }

  std::string text;
  bool readable = !error && fs::is_regular_file(status);
  if (readable) {
    std::ifstream in(filePath_, std::ios::binary);
    readable = in.is_open();
    char chunk[8192];
    while (readable) {
      in.read(chunk, sizeof chunk);
      text.append(chunk, static_cast<std::size_t>(in.gcount()));
      if (!in) break;
    }
    readable = readable && !in.bad();
  }
  if (!readable) {
    state_ = State::Failed;
    failure_ = "The registry store " + filePath_ + " cannot be read";
    return;
  }
  Parse(text);
}

void RegistryStore::Seed() {
  keys_.clear();
  RegistryValue fonts;
  fonts.Type = RegistryType::Text;
  fonts.Text = XdgFolder("XDG_DATA_HOME", ".local/share") + "/fonts";
  keys_.push_back(Key{RegistryRoot::CurrentUser,
                      RegistryKeys::kShellFolders,
                      {{RegistryKeys::kFontsValue, fonts}}});
  keys_.push_back(Key{RegistryRoot::LocalMachine, RegistryKeys::kNtFonts, {}});
  state_ = State::Loaded;
  try {
    Write();
  } catch (const PlatformError&) {
    // Reading works from memory for this run; the next SetValue tries the file again and reports.
  }
}

void RegistryStore::Parse(const std::string& text) {
  std::vector<Key> keys;
  std::size_t current = 0;  // index of the key the values belong to; none until a header is seen
  bool haveKey = false;
  std::size_t lineNumber = 0;
  std::size_t lineStart = 0;

  auto corrupt = [&] {
    state_ = State::Failed;
    failure_ =
        "The registry store " + filePath_ + " is corrupt (line " + std::to_string(lineNumber) + ")";
  };

  while (lineStart < text.size()) {
    std::size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    std::string_view line(text.data() + lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (IsBlank(line) || line.front() == ';') continue;

    if (line.front() == '[') {
      if (line.size() < 2 || line.back() != ']') return corrupt();
      const std::string_view inside = line.substr(1, line.size() - 2);
      const std::string_view rootName = inside.substr(0, inside.find('\\'));
      RegistryRoot root;
      if (EqualsIgnoringCase(rootName, kCurrentUser)) {
        root = RegistryRoot::CurrentUser;
      } else if (EqualsIgnoringCase(rootName, kLocalMachine)) {
        root = RegistryRoot::LocalMachine;
      } else {
        return corrupt();
      }
      const std::string path = NormaliseKey(inside.substr(rootName.size()));
      // A key written twice (by hand) is one key: its values go together.
      haveKey = false;
      for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].Root == root && EqualsIgnoringCase(keys[i].Path, path)) {
          current = i;
          haveKey = true;
          break;
        }
      }
      if (!haveKey) {
        keys.push_back(Key{root, path, {}});
        current = keys.size() - 1;
        haveKey = true;
      }
      continue;
    }

    if (line.front() != '"' || !haveKey) return corrupt();
    std::size_t pos = 1;
    std::optional<std::string> name = Unescape(line, pos, true);
    if (!name || pos >= line.size() || line[pos] != '=') return corrupt();
    const std::size_t colon = line.find(':', pos + 1);
    if (colon == std::string_view::npos) return corrupt();
    const std::string_view type = line.substr(pos + 1, colon - pos - 1);

    RegistryValue value;
    if (EqualsIgnoringCase(type, "number")) {
      value.Type = RegistryType::Number;
      const std::string_view digits = line.substr(colon + 1);
      const auto [end, result] =
          std::from_chars(digits.data(), digits.data() + digits.size(), value.Number);
      if (digits.empty() || result != std::errc() || end != digits.data() + digits.size()) {
        return corrupt();
      }
    } else {
      if (EqualsIgnoringCase(type, "text")) {
        value.Type = RegistryType::Text;
      } else if (EqualsIgnoringCase(type, "expandable")) {
        value.Type = RegistryType::ExpandableText;
      } else {
        return corrupt();
      }
      pos = colon + 1;
      std::optional<std::string> data = Unescape(line, pos, false);
      if (!data) return corrupt();
      value.Text = std::move(*data);
    }

    std::vector<NamedValue>& values = keys[current].Values;
    bool replaced = false;
    for (NamedValue& existing : values) {
      if (EqualsIgnoringCase(existing.Name, *name)) {
        existing.Value = value;
        replaced = true;
      }
    }
    if (!replaced) values.push_back(NamedValue{std::move(*name), std::move(value)});
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

// The new contents go to a temporary file beside the old one and are renamed over it, so a
// failure at any point leaves the old file whole.
void RegistryStore::Write() const {
  const std::string failure = "Unable to write to " + filePath_;
  const fs::path target(filePath_);
  const fs::path folder = target.parent_path();
  std::error_code error;
  if (!folder.empty()) {
    fs::create_directories(folder, error);
    if (error) throw PlatformError(failure);
  }

  const fs::path temporary = folder / (target.filename().string() + ".tmp-" + RandomSuffix());
  const std::string text = Serialise();
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out.is_open()) {
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
      out.close();
    }
    if (!out) {
      fs::remove(temporary, error);
      throw PlatformError(failure);
    }
  }
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    throw PlatformError(failure);
  }
}

RegistryStore::Key* RegistryStore::FindKey(RegistryRoot root, const std::string& normalisedPath) {
  for (Key& key : keys_) {
    if (key.Root == root && EqualsIgnoringCase(key.Path, normalisedPath)) return &key;
  }
  return nullptr;
}

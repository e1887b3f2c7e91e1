// Drives the INI layer with arbitrary files and names. An input is
//
//   section NUL key NUL value NUL file bytes
//
// and an input with fewer than three NULs stands for a missing file (the fields it has are used,
// the others are empty). Each run reads the key, writes it, and checks the file against the
// rules at the top of platform/storage/ProfileStrings.cpp: whatever the bytes, a read gives UTF-8
// (bytes that are not UTF-8 taken as Windows-1252); the write changed exactly one place (the key's
// own line, one new line in its section, or a new section at the end), every other byte is the
// same, a read gives back the value written, and writing the same value again changes nothing.
// Several keys written at once leave the same bytes as the same keys written one by one, and
// several keys read at once give what reading each gives.

#include <dirent.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzTempDir.h"
#include "platform/storage/ProfileStrings.h"
#include "platform/text/Windows1252.h"

namespace {

constexpr std::size_t kMaxValueBytes = 1023;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";

const FuzzTempDir& Folder() {
  static const FuzzTempDir folder("profile");
  return folder;
}

struct Input {
  std::string Section;
  std::string Key;
  std::string Value;
  std::optional<std::string> File;
};

Input Split(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Input input;
  std::string* fields[] = {&input.Section, &input.Key, &input.Value};
  std::size_t pos = 0;
  for (std::string* field : fields) {
    const std::size_t end = bytes.find('\0', pos);
    if (end == std::string_view::npos) {
      *field = bytes.substr(pos);
      return input;
    }
    *field = bytes.substr(pos, end - pos);
    pos = end + 1;
  }
  input.File = std::string(bytes.substr(pos));
  return input;
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  FUZZ_CHECK(out.good());
}

// The file as the input gives it: these bytes, or no file at all.
void PutFile(const std::string& path, const std::optional<std::string>& file) {
  std::remove(path.c_str());
  if (file) WriteFile(path, *file);
}

std::size_t EntryCount(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  FUZZ_CHECK(dir != nullptr);
  std::size_t count = 0;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    // The lock file writers take turns on stays, empty, beside the file.
    if (name != "." && name != ".." && name != ".glyphera.ini.lock") ++count;
  }
  closedir(dir);
  return count;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A line's content [Begin, ContentEnd) and its end including the line break.
struct Line {
  std::size_t Begin;
  std::size_t ContentEnd;
  std::size_t End;
};

std::size_t TextStart(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

// Lines end at CRLF, LF or a lone CR; a byte-order mark at the start belongs to no line.
std::vector<Line> Lines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = TextStart(text);
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::size_t next = end;
    if (next < text.size()) {
      next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
    }
    lines.push_back({pos, end, next});
    pos = next;
  }
  return lines;
}

// The names the file can hold as given: a header "[section]" reads back as the same name and a
// line "key=..." as the same key. Write must refuse the names a line break, "=" or "]" would
// break; names with blanks at either end are written but read back trimmed, so they do not
// round-trip and are only checked for keeping the rest of the file.
bool WriteMustRefuse(const std::string& section, const std::string& key) {
  if (section.find_first_of("\r\n]") != std::string::npos) return true;
  if (key.find_first_of("\r\n=") != std::string::npos) return true;
  const std::string_view trimmedKey = Trim(key);
  return !trimmedKey.empty() && trimmedKey.front() == '[';
}

bool RoundTrips(const std::string& section, const std::string& key) {
  return Trim(section) == section && Trim(key) == key;
}

// True when `after` is `before` with one line replaced by `line` and CRLF, with `line` added as
// a new line (CRLF) behind some line, or with "[section]" and `line` added at the end.
bool ChangedInOnePlace(const std::string& before, const std::string& after,
                       const std::string& section, const std::string& line) {
  const std::vector<Line> lines = Lines(before);
  for (const Line& l : lines) {
    // The key's own line: the line and its break are written anew, ending in CRLF.
    const std::string replaced = line + std::string(kNewLine);
    if (after.size() == before.size() - (l.End - l.Begin) + replaced.size() &&
        after.compare(0, l.Begin, before, 0, l.Begin) == 0 &&
        after.compare(l.Begin, replaced.size(), replaced) == 0 &&
        after.compare(l.Begin + replaced.size(), std::string::npos, before, l.End) == 0)
      return true;
    // A new line behind this one; a last line without a break gets one first.
    const std::string inserted = (l.End == l.ContentEnd ? std::string(kNewLine) : std::string()) +
                                 line + std::string(kNewLine);
    if (after.size() == before.size() + inserted.size() &&
        after.compare(0, l.End, before, 0, l.End) == 0 &&
        after.compare(l.End, inserted.size(), inserted) == 0 &&
        after.compare(l.End + inserted.size(), std::string::npos, before, l.End) == 0)
      return true;
  }
  std::string appended = before;
  if (appended.size() > TextStart(appended) && appended.back() != '\n' && appended.back() != '\r')
    appended += kNewLine;
  appended += "[" + section + "]" + std::string(kNewLine) + line + std::string(kNewLine);
  return after == appended;
}

// What a read gives for a value written as `value`: line breaks become spaces, blanks and tabs
// are trimmed, one pair of matching quotes goes, text that is not UTF-8 is taken as
// Windows-1252, and the UTF-8 is cut to 1023 bytes before any character that would not fit whole.
std::string ValueAsRead(const std::string& value) {
  std::string oneLine = value;
  for (char& c : oneLine)
    if (c == '\r' || c == '\n') c = ' ';
  std::string_view v = Trim(oneLine);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  std::string read(v);
  if (!IsValidUtf8(read)) {
    std::string utf8;
    for (char c : read) AppendUtf8(utf8, Windows1252ToUnicode(static_cast<unsigned char>(c)));
    read = utf8;
  }
  if (read.size() > kMaxValueBytes) {
    std::size_t cut = kMaxValueBytes;
    while (cut > 0 && (static_cast<unsigned char>(read[cut]) & 0xC0) == 0x80) --cut;
    read.resize(cut);
  }
  return read;
}

// Starting from the input's file each time: the keys written in one call, then one by one.
void CheckSeveralKeys(const std::string& path, const Input& input) {
  const ProfileEntries entries = {
      {input.Key, input.Value}, {"Second", input.Section}, {input.Key, input.Value + "!"}};
  ProfileStrings profile;

  PutFile(path, input.File);
  const ProfileStatus together = profile.WriteKeys(path, input.Section, entries);
  const std::optional<std::string> afterTogether = ReadFile(path);
  if (WriteMustRefuse(input.Section, input.Key)) {
    // Nothing at all is written when one of the names cannot be.
    FUZZ_CHECK(together == ProfileStatus::Failed);
    FUZZ_CHECK(afterTogether == input.File);
  } else {
    FUZZ_CHECK(together == ProfileStatus::Ok);
    PutFile(path, input.File);
    for (const auto& [key, value] : entries)
      FUZZ_CHECK(profile.Write(path, input.Section, key, value));
    FUZZ_CHECK(ReadFile(path) == afterTogether);
  }

  const std::vector<std::string> keys = {input.Key, "Second", "Missing"};
  const ProfileValues values = profile.ReadKeys(path, input.Section, keys);
  FUZZ_CHECK(values.Status == ProfileStatus::Ok);
  FUZZ_CHECK(values.Values.size() == keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i)
    FUZZ_CHECK(values.Values[i] == profile.Read(path, input.Section, keys[i]));
  PutFile(path, input.File);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = Folder().Path();
  const std::string path = folder + "/glyphera.ini";
  const Input input = Split(data, size);
  PutFile(path, input.File);
  const std::string before = input.File.value_or(std::string());

  ProfileStrings profile;
  const std::string read = profile.Read(path, input.Section, input.Key);
  FUZZ_CHECK(read.size() <= kMaxValueBytes);
  FUZZ_CHECK(IsValidUtf8(read));
  FUZZ_CHECK(ReadFile(path) == input.File);  // reading changes nothing

  CheckSeveralKeys(path, input);

  const bool written = profile.Write(path, input.Section, input.Key, input.Value);
  const std::optional<std::string> after = ReadFile(path);
  // No temporary file is left beside the profile, whatever happened.
  FUZZ_CHECK(EntryCount(folder) == (after ? 1u : 0u));
  if (WriteMustRefuse(input.Section, input.Key)) {
    FUZZ_CHECK(!written);
    FUZZ_CHECK(after == input.File);
    return 0;
  }
  FUZZ_CHECK(written);
  FUZZ_CHECK(after.has_value());

  std::string line = input.Key + "=" + input.Value;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  FUZZ_CHECK(ChangedInOnePlace(before, *after, input.Section, line));

  if (!RoundTrips(input.Section, input.Key)) return 0;

  FUZZ_CHECK(profile.Read(path, input.Section, input.Key) == ValueAsRead(input.Value));

  // The key now stands where a second write finds it, so the same value again changes nothing.
  FUZZ_CHECK(profile.Write(path, input.Section, input.Key, input.Value));
  FUZZ_CHECK(ReadFile(path) == after);
  return 0;
}

// A profile file is text in sections of "name=value" lines:
//
//   ; comment
//   [Glyphera]
//   Def8=Sample text
//   Path = "/usr/share/fonts"
//
// - Lines end at "\r\n", "\n" or a lone "\r", mixed freely. A UTF-8 byte-order mark before the
//   first line is not part of it, and stays where it is when the file is rewritten.
// - A line whose first non-blank character is "[" starts a section, named by the text up to the
//   next "]" (or the end of the line), trimmed of blanks. The lines up to the next such line
//   belong to it. Only the first section of a name counts.
// - Any other line holding "=" is a key: its name is the text before the first "=", its value
//   the text after it, both trimmed of blanks and tabs. Only the first key of a name in its
//   section counts; key lines before the first section belong to none. Every other line
//   (comments, garbage, binary bytes) is ignored but kept.
// - Section and key names match without regard to ASCII case.
// - A value read loses one pair of matching quotes around it. A value that is not well-formed
//   UTF-8 came from an 8-bit editor or system and is read as Windows-1252, so its characters
//   survive being written back (as UTF-8). What is read is cut to 1023 bytes of UTF-8, never in
//   the middle of a character.
// - A file over 16 MiB is not a settings file: it is neither loaded nor replaced, and a write
//   that would make a file that large is refused.
//
// A write of one or several keys of a section replaces the file once. Each key changes exactly
// one place of the file: the key's own line, a new line after the last non-blank line of its
// section, or a new section at the end. Every other byte stays as it was, and every line written
// ends in CRLF, so the file still reads the same in a Windows editor. A write holds the lock file
// ".<name>.lock" beside the file (FileLock) from its read of the file to its replace, so that
// running copies writing different keys keep each other's. The new file is written under a name
// of TemporaryName beside the old one and renamed over it; a write killed midway leaves that file
// behind for RemoveStaleTemporaries. Earlier versions named it ".<name>.tmp-<8 of [0-9a-z]>".

#include "platform/storage/ProfileStrings.h"

#include "platform/files/FileLock.h"
#include "platform/files/SafeWrite.h"
#include "platform/files/StaleTemporaries.h"
#include "platform/files/TemporaryName.h"

#include "platform/text/AsciiCase.h"
#include "platform/text/Windows1252.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxValueBytes = 1023;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";
constexpr std::string_view kOldTemporaryMark = ".tmp-";
constexpr std::size_t kOldSuffixLength = 8;
constexpr std::string_view kOldSuffixDigits = "0123456789abcdefghijklmnopqrstuvwxyz";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Offsets into the file's text: the line's own bytes are [Begin, ContentEnd), its line break
// [ContentEnd, End). The last line of a file may have no break.
struct Line {
  std::size_t Begin = 0;
  std::size_t ContentEnd = 0;
  std::size_t End = 0;
};

std::string_view Content(std::string_view text, const Line& line) {
  return text.substr(line.Begin, line.ContentEnd - line.Begin);
}

std::size_t TextStart(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = TextStart(text);
  while (pos < text.size()) {
    Line line;
    line.Begin = pos;
    const std::size_t lineBreak = text.find_first_of("\r\n", pos);
    if (lineBreak == std::string_view::npos) {
      line.ContentEnd = line.End = text.size();
    } else {
      line.ContentEnd = lineBreak;
      const bool crlf =
          text[lineBreak] == '\r' && lineBreak + 1 < text.size() && text[lineBreak + 1] == '\n';
      line.End = lineBreak + (crlf ? 2 : 1);
    }
    lines.push_back(line);
    pos = line.End;
  }
  return lines;
}

enum class LineKind { Blank, Header, Key, Other };

struct ParsedLine {
  LineKind Kind = LineKind::Other;
  std::string_view Name;   // section name for a header, key name for a key
  std::string_view Value;  // key lines only
};

ParsedLine Parse(std::string_view content) {
  ParsedLine parsed;
  const std::string_view trimmed = TrimBlanks(content);
  if (trimmed.empty()) {
    parsed.Kind = LineKind::Blank;
  } else if (trimmed.front() == '[') {
    parsed.Kind = LineKind::Header;
    std::string_view name = trimmed.substr(1);
    const std::size_t close = name.find(']');
    if (close != std::string_view::npos) name = name.substr(0, close);
    parsed.Name = TrimBlanks(name);
  } else if (const std::size_t equals = content.find('='); equals != std::string_view::npos) {
    parsed.Kind = LineKind::Key;
    parsed.Name = TrimBlanks(content.substr(0, equals));
    parsed.Value = TrimBlanks(content.substr(equals + 1));
  }
  return parsed;
}

// A section's lines [Header, End) as indexes into SplitLines' result; no header when missing.
struct Section {
  std::optional<std::size_t> Header;
  std::size_t End = 0;
};

Section FindSection(std::string_view text, const std::vector<Line>& lines, std::string_view name) {
  Section section;
  section.End = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ParsedLine parsed = Parse(Content(text, lines[i]));
    if (parsed.Kind != LineKind::Header) continue;
    if (section.Header) {
      section.End = i;
      break;
    }
    if (EqualsIgnoringCase(parsed.Name, name)) section.Header = i;
  }
  return section;
}

std::optional<std::size_t> FindKey(std::string_view text, const std::vector<Line>& lines,
                                   const Section& section, std::string_view key) {
  if (!section.Header) return std::nullopt;
  for (std::size_t i = *section.Header + 1; i < section.End; ++i) {
    const ParsedLine parsed = Parse(Content(text, lines[i]));
    if (parsed.Kind == LineKind::Key && EqualsIgnoringCase(parsed.Name, key)) return i;
  }
  return std::nullopt;
}

std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Well-formed UTF-8 as Unicode defines it: no overlong forms, no surrogates, nothing past
// U+10FFFF. Only the second byte of a sequence has narrower bounds than 80..BF.
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
    }
    i += length;
  }
  return true;
}

// Well-formed UTF-8 cut before the first character that would not fit whole.
std::string CutUtf8(std::string_view value) {
  if (value.size() <= kMaxValueBytes) return std::string(value);
  std::size_t cut = kMaxValueBytes;
  while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
  return std::string(value.substr(0, cut));
}

// 8-bit text as UTF-8, up to the first character that would not fit whole.
std::string Windows1252AsUtf8(std::string_view value) {
  std::string utf8;
  std::string character;
  for (const char byte : value) {
    character.clear();
    AppendWindows1252(character, byte);
    if (utf8.size() + character.size() > kMaxValueBytes) break;
    utf8 += character;
  }
  return utf8;
}

std::string ValueAsRead(std::string_view stored) {
  const std::string_view value = WithoutQuotes(stored);
  return IsUtf8(value) ? CutUtf8(value) : Windows1252AsUtf8(value);
}

struct FileText {
  ProfileStatus Status = ProfileStatus::Ok;
  std::string Text;  // empty unless Ok
};

// Reads to the end. A file that grew past the limit since it was measured is refused as well.
ProfileStatus ReadToEnd(int fd, std::string& text) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) return ProfileStatus::Ok;
    if (got < 0) {
      if (errno == EINTR) continue;
      return ProfileStatus::Failed;
    }
    text.append(buffer, static_cast<std::size_t>(got));
    if (text.size() > kMaxProfileFileBytes) return ProfileStatus::TooLarge;
  }
}

// The whole of a regular file, measured before any of it is read; a missing file is empty text.
// A folder, a device or a read error fail. O_NONBLOCK keeps a named pipe at the path from hanging
// the call.
FileText ReadProfileFile(const std::string& path) {
  FileText file;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno != ENOENT) file.Status = ProfileStatus::Failed;
    return file;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    file.Status = ProfileStatus::Failed;
  } else if (static_cast<std::uintmax_t>(info.st_size) > kMaxProfileFileBytes) {
    file.Status = ProfileStatus::TooLarge;
  } else {
    file.Text.reserve(static_cast<std::size_t>(info.st_size));
    file.Status = ReadToEnd(fd, file.Text);
  }
  close(fd);
  if (file.Status != ProfileStatus::Ok) file.Text.clear();
  return file;
}

// A name the file could not give back as written is refused rather than written wrongly: a line
// break would split the line, "=" would end a key name early, "]" would end a section name, and a
// key starting with "[" would read as a section.
bool CanHoldNames(std::string_view section, std::string_view key) {
  if (section.find_first_of("\r\n]") != std::string_view::npos) return false;
  if (key.find_first_of("\r\n=") != std::string_view::npos) return false;
  const std::string_view trimmedKey = TrimBlanks(key);
  return trimmedKey.empty() || trimmedKey.front() != '[';
}

// A value is one line of the file: each line break in it becomes a space.
std::string OneLine(std::string value) {
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return value;
}

std::string EditedText(std::string text, std::string_view section, std::string_view key,
                       std::string_view value) {
  std::string keyLine;
  keyLine.append(key).append("=").append(value);
  const std::vector<Line> lines = SplitLines(text);
  const Section found = FindSection(text, lines, section);

  if (const std::optional<std::size_t> keyIndex = FindKey(text, lines, found, key)) {
    const Line& line = lines[*keyIndex];
    text.replace(line.Begin, line.End - line.Begin, keyLine.append(kNewLine));
    return text;
  }
  if (found.Header) {
    // New keys go after the section's last entry, so blank lines that separate it from the
    // next section stay between them.
    std::size_t last = *found.Header;
    for (std::size_t i = *found.Header; i < found.End; ++i) {
      if (!TrimBlanks(Content(text, lines[i])).empty()) last = i;
    }
    std::string insertion;
    if (lines[last].End == lines[last].ContentEnd) insertion.append(kNewLine);
    insertion.append(keyLine).append(kNewLine);
    text.insert(lines[last].End, insertion);
    return text;
  }
  if (text.size() > TextStart(text) && text.back() != '\n' && text.back() != '\r') {
    text.append(kNewLine);
  }
  text.append("[").append(section).append("]").append(kNewLine);
  text.append(keyLine).append(kNewLine);
  return text;
}

// A file linked from elsewhere is rewritten where it really lives, so the link stays a link.
fs::path WrittenPath(const std::string& fileName) {
  fs::path target(fileName);
  std::error_code error;
  if (fs::is_symlink(target, error)) {
    const fs::path resolved = fs::canonical(target, error);
    if (!error) target = resolved;
  }
  return target;
}

fs::path FolderOf(const fs::path& target) {
  return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// Whether `name` is what an earlier version called a temporary of the file `targetName`.
bool IsOldTemporaryName(std::string_view name, std::string_view targetName) {
  const std::string prefix = "." + std::string(targetName) + std::string(kOldTemporaryMark);
  return name.size() == prefix.size() + kOldSuffixLength && name.starts_with(prefix) &&
         name.substr(prefix.size()).find_first_not_of(kOldSuffixDigits) == std::string_view::npos;
}

enum class Writable { No, New, Existing };

// Whether the file can be written, as a new file or over the one there, whose status `info`
// then holds. An existing one must be a regular file the user may write, checked because the
// rename would replace a read-only file; a new one needs a folder the user may write.
Writable Writability(const fs::path& target, bool folderWritable, struct stat& info) {
  if (stat(target.c_str(), &info) == 0) {
    return S_ISREG(info.st_mode) && access(target.c_str(), W_OK) == 0 ? Writable::Existing
                                                                      : Writable::No;
  }
  return errno == ENOENT && folderWritable ? Writable::New : Writable::No;
}

}  // namespace

ProfileValues ProfileStrings::ReadKeys(const std::string& fileName, const std::string& section,
                                       const std::vector<std::string>& keys) {
  const FileText file = ReadProfileFile(fileName);
  ProfileValues result{file.Status, std::vector<std::string>(keys.size())};
  const std::string_view text = file.Text;
  const std::vector<Line> lines = SplitLines(text);
  const Section found = FindSection(text, lines, section);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (const std::optional<std::size_t> keyIndex = FindKey(text, lines, found, keys[i])) {
      result.Values[i] = ValueAsRead(Parse(Content(text, lines[*keyIndex])).Value);
    }
  }
  return result;
}

ProfileStatus ProfileStrings::WriteKeys(const std::string& fileName, const std::string& section,
                                        const ProfileEntries& entries) {
  if (fileName.empty()) return ProfileStatus::Failed;
  for (const auto& entry : entries) {
    if (!CanHoldNames(section, entry.first)) return ProfileStatus::Failed;
  }
  if (entries.empty()) return ProfileStatus::Ok;

  const fs::path target = WrittenPath(fileName);
  // A folder the user cannot write still lets a file there that the user can write be saved, in
  // place; only a new file needs the folder.
  const fs::path folder = FolderOf(target);
  struct stat folderInfo {};
  const bool folderWritable = stat(folder.c_str(), &folderInfo) == 0 &&
                              S_ISDIR(folderInfo.st_mode) &&
                              access(folder.c_str(), W_OK | X_OK) == 0;

  struct stat fileInfo {};
  // Refused before the lock is taken, so that a write that cannot be made leaves nothing behind.
  if (Writability(target, folderWritable, fileInfo) == Writable::No) return ProfileStatus::Failed;
  // A file rewritten in place is never replaced, so it can carry the lock itself.
  const FileLock lock(folderWritable ? FileLock::Beside(target.string()) : target.string(),
                      folderWritable ? FileLock::Create::IfMissing : FileLock::Create::Never);
  if (!lock.Held()) return ProfileStatus::Failed;

  // Read under the lock, so that what another running copy wrote a moment ago is kept.
  const Writable writable = Writability(target, folderWritable, fileInfo);
  if (writable == Writable::No) return ProfileStatus::Failed;
  FileText old;
  std::optional<mode_t> mode;
  if (writable == Writable::Existing) {
    old = ReadProfileFile(target.string());
    // A file that cannot be read must not be replaced by one holding only the new keys.
    if (old.Status != ProfileStatus::Ok) return old.Status;
    mode = fileInfo.st_mode & 07777;
  }

  std::string text = old.Text;
  for (const auto& [key, value] : entries) {
    text = EditedText(std::move(text), section, key, OneLine(value));
  }
  if (text.size() > kMaxProfileFileBytes) return ProfileStatus::TooLarge;
  // The new file keeps the old one's permission bits. Without a temporary beside it (a folder
  // the user cannot write), an existing file is rewritten in place, its old bytes put back when
  // that fails part way; blank padding keeps a cut-short rewrite reading as the new text.
  SafeWrite::ReplaceOptions options;
  options.Mode = mode;
  options.InPlaceWhenNoTemporary = mode.has_value();
  options.OldBytes = old.Text;
  return SafeWrite::Replace(target.string(), text, options) ? ProfileStatus::Failed
                                                            : ProfileStatus::Ok;
}

void ProfileStrings::RemoveStaleTemporaries(const std::string& fileName) {
  if (fileName.empty()) return;
  const fs::path target = WrittenPath(fileName);
  const std::string targetName = target.filename().string();
  ::RemoveStaleTemporaries(FolderOf(target).string(), [&targetName](std::string_view name) {
    return TemporaryName::IsFor(name, targetName) || IsOldTemporaryName(name, targetName);
  });
}

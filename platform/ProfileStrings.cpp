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
// - A value read loses one pair of matching quotes around it and is cut to 1023 bytes, never in
//   the middle of a UTF-8 character.
//
// A write changes exactly one place of the file: the key's own line, a new line after the last
// non-blank line of its section, or a new section at the end. Every other byte stays as it was,
// and new lines end in CRLF, so the file still reads the same in a Windows editor.

#include "platform/ProfileStrings.h"

#include "platform/AsciiCase.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxValueBytes = 1023;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";

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

// Where a key is, or would go, in a file: line indexes into SplitLines' result.
struct Place {
  std::optional<std::size_t> Header;
  std::size_t SectionEnd = 0;  // one past the section's last line
  std::optional<std::size_t> KeyLine;
};

Place Locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
             std::string_view key) {
  Place place;
  place.SectionEnd = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& line = lines[i];
    const ParsedLine parsed = Parse(text.substr(line.Begin, line.ContentEnd - line.Begin));
    if (parsed.Kind == LineKind::Header) {
      if (place.Header) {
        place.SectionEnd = i;
        break;
      }
      if (EqualsIgnoringCase(parsed.Name, section)) place.Header = i;
    } else if (parsed.Kind == LineKind::Key && place.Header && !place.KeyLine &&
               EqualsIgnoringCase(parsed.Name, key)) {
      place.KeyLine = i;
    }
  }
  return place;
}

std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The number of bytes of the UTF-8 character that starts with `lead`.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Cuts before the character that would lose bytes. Bytes that are not well-formed UTF-8 are
// cut where they fall: they are not a character that could be broken.
std::string_view CutToLimit(std::string_view value) {
  if (value.size() <= kMaxValueBytes) return value;
  std::size_t cut = kMaxValueBytes;
  for (std::size_t back = 0; back < 4 && back <= cut; ++back) {
    const auto byte = static_cast<unsigned char>(value[cut - back]);
    if ((byte & 0xC0) != 0x80) {
      if (back > 0 && SequenceLength(byte) > back) cut -= back;
      break;
    }
  }
  return value.substr(0, cut);
}

// The whole of a regular file; nothing for a missing file, a folder, a device or a read error.
// O_NONBLOCK keeps a named pipe at the path from hanging the call.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return std::nullopt;
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  return text;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
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

std::string EditedText(std::string text, std::string_view section, std::string_view key,
                       std::string_view value) {
  std::string keyLine;
  keyLine.append(key).append("=").append(value);
  const std::vector<Line> lines = SplitLines(text);
  const Place place = Locate(text, lines, section, key);

  if (place.KeyLine) {
    const Line& line = lines[*place.KeyLine];
    text.replace(line.Begin, line.ContentEnd - line.Begin, keyLine);
    return text;
  }
  if (place.Header) {
    // New keys go after the section's last entry, so blank lines that separate it from the
    // next section stay between them.
    std::size_t last = *place.Header;
    for (std::size_t i = *place.Header; i < place.SectionEnd; ++i) {
      const Line& line = lines[i];
      if (!TrimBlanks(std::string_view(text).substr(line.Begin, line.ContentEnd - line.Begin))
               .empty()) {
        last = i;
      }
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

std::string RandomSuffix() {
  static thread_local std::mt19937_64 generator{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix += kDigits[generator() % (sizeof kDigits - 1)];
  return suffix;
}

// Writes `text` to a new file beside `target` and renames it over `target`, so the file is
// either the old one or the new one whatever happens. `mode` is the old file's permission bits;
// without one the new file gets the usual bits less the umask, as any new file would.
bool ReplaceFile(const fs::path& target, std::string_view text, std::optional<mode_t> mode) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = (folder / ("." + target.filename().string() + ".tmp-" + RandomSuffix())).string();
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  bool ok = WriteAll(fd, text);
  if (ok && mode) ok = fchmod(fd, *mode) == 0;
  if (ok) ok = fsync(fd) == 0;
  if (close(fd) != 0) ok = false;
  if (ok) ok = rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder; a failure here cannot undo it.
  const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    fsync(folderFd);
    close(folderFd);
  }
  return true;
}

}  // namespace

std::string ProfileStrings::Read(const std::string& fileName, const std::string& section,
                                 const std::string& key) {
  const std::optional<std::string> text = ReadWholeFile(fileName);
  if (!text) return {};
  const std::vector<Line> lines = SplitLines(*text);
  const Place place = Locate(*text, lines, section, key);
  if (!place.KeyLine) return {};
  const Line& line = lines[*place.KeyLine];
  const ParsedLine parsed =
      Parse(std::string_view(*text).substr(line.Begin, line.ContentEnd - line.Begin));
  return std::string(CutToLimit(WithoutQuotes(parsed.Value)));
}

bool ProfileStrings::Write(const std::string& fileName, const std::string& section,
                           const std::string& key, const std::string& value) {
  if (fileName.empty() || !CanHoldNames(section, key)) return false;

  // A file linked from elsewhere is rewritten where it really lives, so the link stays a link.
  fs::path target(fileName);
  std::error_code error;
  if (fs::is_symlink(target, error)) {
    const fs::path resolved = fs::canonical(target, error);
    if (!error) target = resolved;
  }

  // Checked first because the rename would replace a read-only file, and a folder without write
  // permission should fail before any work is done.
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  struct stat folderInfo {};
  if (stat(folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode) ||
      access(folder.c_str(), W_OK | X_OK) != 0) {
    return false;
  }

  std::string text;
  std::optional<mode_t> mode;
  struct stat fileInfo {};
  if (stat(target.c_str(), &fileInfo) == 0) {
    if (!S_ISREG(fileInfo.st_mode) || access(target.c_str(), W_OK) != 0) return false;
    std::optional<std::string> old = ReadWholeFile(target.string());
    // A file that cannot be read must not be replaced by one holding only the new key.
    if (!old) return false;
    text = std::move(*old);
    mode = fileInfo.st_mode & 07777;
  } else if (errno != ENOENT) {
    return false;
  }

  std::string oneLine = value;
  for (char& c : oneLine) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return ReplaceFile(target, EditedText(std::move(text), section, key, oneLine), mode);
}

#include "platform/files/InPlaceRewrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "platform/files/SafeWrite.h"

namespace {

constexpr std::string_view kMark = "; glyphera in-place save ";
constexpr std::string_view kLineBreak = "\r\n";
constexpr std::size_t kHashDigits = 16;
// The unit a killed write is cut at: the kernel copies a write into the page cache page by page
// and stops between pages.
constexpr std::size_t kPage = 4096;

std::error_code LastError() {
  return {errno, std::generic_category()};
}

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

std::string JournalLine(std::size_t oldSize, std::string_view bytes) {
  char hash[kHashDigits + 1];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a(bytes)));
  return std::string(kMark) + std::to_string(oldSize) + " " + std::to_string(bytes.size()) + " " +
         hash + std::string(kLineBreak);
}

struct JournalEntry {
  std::size_t OldSize = 0;
  std::size_t NewSize = 0;
  std::uint64_t Hash = 0;
  std::size_t NewText = 0;  // where the new text starts in the file
};

// The journal line that starts at `at`, when it is one whole.
std::optional<JournalEntry> ParseJournalLine(std::string_view file, std::size_t at) {
  std::string_view rest = file.substr(at + kMark.size());
  JournalEntry entry;
  const auto number = [&rest](auto& value, int base) {
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value, base);
    if (error != std::errc() || end == rest.data()) return false;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return true;
  };
  const auto skip = [&rest](std::string_view text) {
    if (!rest.starts_with(text)) return false;
    rest.remove_prefix(text.size());
    return true;
  };
  if (!number(entry.OldSize, 10) || !skip(" ") || !number(entry.NewSize, 10) || !skip(" ")) {
    return std::nullopt;
  }
  const std::size_t hashDigits = rest.size();
  if (!number(entry.Hash, 16) || hashDigits - rest.size() != kHashDigits || !skip(kLineBreak)) {
    return std::nullopt;
  }
  entry.NewText = static_cast<std::size_t>(rest.data() - file.data());
  return entry;
}

// The last line of the file that starts with the mark, or npos.
std::size_t LastMarkedLine(std::string_view file) {
  for (std::size_t at = file.rfind(kMark); at != std::string_view::npos;
       at = at == 0 ? std::string_view::npos : file.rfind(kMark, at - 1)) {
    if (at == 0 || file[at - 1] == '\n' || file[at - 1] == '\r') return at;
  }
  return std::string_view::npos;
}

// Where the journal line goes when the journal starts at `start`: there, or behind a line of
// blanks (one at least, so that it is no empty line) that moves it to the new text's end or
// behind it, and onto one page.
std::size_t JournalLineAt(std::size_t start, std::size_t lineSize, std::size_t newSize) {
  const auto onOnePage = [lineSize](std::size_t at) { return at % kPage + lineSize <= kPage; };
  if (start >= newSize && onOnePage(start)) return start;
  std::size_t at = std::max(start + kLineBreak.size() + 1, newSize);
  if (!onOnePage(at)) at += kPage - at % kPage;
  return at;
}

std::error_code WriteAt(int fd, off_t offset, std::string_view bytes) {
  if (lseek(fd, offset, SEEK_SET) != offset) return LastError();
  return SafeWrite::WriteAll(fd, bytes);
}

std::error_code Flush(int fd) {
  return fsync(fd) == 0 ? std::error_code() : LastError();
}

}  // namespace

namespace InPlaceRewrite {

std::string Journal(std::size_t fileSize, char last, std::string_view bytes) {
  // A file that does not end a line gets its line ended first, so that the journal line starts
  // one.
  std::string journal;
  if (fileSize > 0 && last != '\n' && last != '\r') journal += kLineBreak;
  const std::string line = JournalLine(fileSize, bytes);
  const std::size_t start = fileSize + journal.size();
  const std::size_t at = JournalLineAt(start, line.size(), bytes.size());
  // Blanks on a line of their own reach it.
  if (at > start) journal.append(at - start - kLineBreak.size(), ' ').append(kLineBreak);
  journal += line;
  journal.append(bytes);
  return journal;
}

std::size_t LargestSize(std::size_t fileSize, std::size_t newSize) {
  const std::size_t line = kMark.size() + std::to_string(fileSize).size() + 1 +
                           std::to_string(newSize).size() + 1 + kHashDigits + kLineBreak.size();
  std::size_t largest = 0;
  for (const std::size_t start : {fileSize, fileSize + kLineBreak.size()}) {
    largest = std::max(largest, JournalLineAt(start, line, newSize) + line + newSize);
  }
  return largest;
}

std::string_view Text(std::string_view file) {
  for (;;) {
    const std::size_t at = LastMarkedLine(file);
    if (at == std::string_view::npos) {
      // A journal line cut before its mark was whole (by a power cut: a write that is killed
      // stops between pages, and the line lies on one) ends the file with a part of the mark.
      const std::size_t lineStart = file.find_last_of("\r\n") + 1;
      const std::string_view last = file.substr(lineStart);
      return !last.empty() && kMark.starts_with(last) ? file.substr(0, lineStart) : file;
    }
    const std::optional<JournalEntry> entry = ParseJournalLine(file, at);
    if (!entry || entry->OldSize > at) {
      // A line that only looks like one, or a journal line cut short: the text ends before it.
      file = file.substr(0, at);
      continue;
    }
    const std::string_view written = file.substr(entry->NewText);
    if (written.size() == entry->NewSize && Fnv1a(written) == entry->Hash) return written;
    file = file.substr(0, entry->OldSize);
  }
}

std::error_code Write(const std::string& path, std::string_view bytes, std::string_view old) {
  const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return LastError();
  struct stat info {};
  char last = '\n';
  std::error_code error;
  if (fstat(fd, &info) != 0) error = LastError();
  const auto size = static_cast<std::size_t>(info.st_size);
  if (!error && size > 0 && pread(fd, &last, 1, info.st_size - 1) != 1) error = LastError();
  if (!error) {
    error = WriteAt(fd, info.st_size, Journal(size, last, bytes));
    if (!error) error = Flush(fd);
    // The file without the journal is the file as it was.
    if (error && ftruncate(fd, info.st_size) == 0) Flush(fd);
  }
  if (!error) {
    error = WriteAt(fd, 0, bytes);
    if (!error && ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) error = LastError();
    if (!error) error = Flush(fd);
    // The journal still gives the new text; the old is put back, as the caller is told.
    if (error && !WriteAt(fd, 0, old) && ftruncate(fd, static_cast<off_t>(old.size())) == 0) {
      Flush(fd);
    }
  }
  if (close(fd) != 0 && errno != EINTR && !error) error = LastError();
  return error;
}

}  // namespace InPlaceRewrite

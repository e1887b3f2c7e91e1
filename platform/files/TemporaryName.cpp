#include "platform/files/TemporaryName.h"

#include <unistd.h>

#include <charconv>
#include <climits>
#include <random>

namespace {

constexpr std::string_view kMark = ".tmp-";
constexpr std::size_t kSuffixLength = 8;
constexpr std::string_view kSuffixDigits = "0123456789abcdefghijklmnopqrstuvwxyz";

std::string RandomSuffix() {
  static thread_local std::mt19937_64 generator{std::random_device{}()};
  std::string suffix;
  for (std::size_t i = 0; i < kSuffixLength; ++i) {
    suffix += kSuffixDigits[generator() % kSuffixDigits.size()];
  }
  return suffix;
}

// "<process id>-<suffix>", the part after the mark; nothing when it is not that.
std::optional<pid_t> WriterInTail(std::string_view tail) {
  if (tail.size() < kSuffixLength + 2) return std::nullopt;
  const std::string_view suffix = tail.substr(tail.size() - kSuffixLength);
  const std::string_view digits = tail.substr(0, tail.size() - kSuffixLength - 1);
  if (tail[digits.size()] != '-' || suffix.find_first_not_of(kSuffixDigits) != std::string::npos ||
      digits.find_first_not_of("0123456789") != std::string::npos || digits.front() == '0') {
    return std::nullopt;
  }
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  // Zero or a negative id would name a process group to kill(), never one writer.
  if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0) return std::nullopt;
  return pid;
}

}  // namespace

namespace TemporaryName {

std::string For(std::string_view targetName) {
  std::string tail(kMark);
  tail.append(std::to_string(getpid())).append("-").append(RandomSuffix());
  std::string name = ".";
  name.append(targetName.substr(0, NAME_MAX - 1 - tail.size())).append(tail);
  return name;
}

bool IsFor(std::string_view name, std::string_view targetName) {
  // A name at the longest carries as much of the target's name as fitted.
  if (name.size() == NAME_MAX) {
    const std::size_t mark = name.rfind(kMark);
    if (mark == std::string_view::npos || mark < 1 ||
        !targetName.starts_with(name.substr(1, mark - 1))) {
      return false;
    }
    targetName = name.substr(1, mark - 1);
  }
  const std::size_t prefixLength = 1 + targetName.size() + kMark.size();
  if (name.size() <= prefixLength || name.front() != '.' ||
      name.substr(1, targetName.size()) != targetName ||
      name.substr(1 + targetName.size(), kMark.size()) != kMark) {
    return false;
  }
  return WriterInTail(name.substr(prefixLength)).has_value();
}

std::optional<pid_t> WriterOf(std::string_view name) {
  const std::size_t mark = name.rfind(kMark);
  if (name.empty() || name.front() != '.' || mark == std::string_view::npos) return std::nullopt;
  return WriterInTail(name.substr(mark + kMark.size()));
}

}  // namespace TemporaryName

#include "platform/printers/PdfDocumentDate.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace PdfDocumentDate {

bool Set(std::string& pdf, std::optional<std::time_t> date) {
  constexpr std::string_view kKey = "/CreationDate (";
  const std::size_t key = pdf.find(kKey);
  if (key == std::string::npos) return false;
  const std::size_t close = pdf.find(')', key + kKey.size());
  if (close == std::string::npos) return false;
  const std::size_t length = close + 1 - key;
  std::string stamp;
  if (date && *date >= 0 && *date <= kLatest) {
    std::tm utc{};
    gmtime_r(&*date, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &utc);
    stamp = std::string(kKey) + "D:" + text + "Z)";
  }
  // A stamp in another time zone's form is longer; the rest of its room is blanks, which a PDF
  // reads as the space between two entries.
  if (stamp.size() > length) return false;
  stamp.resize(length, ' ');
  pdf.replace(key, length, stamp);
  return true;
}

std::optional<std::time_t> FromEnvironment(std::string& problem) {
  problem.clear();
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  if (value == nullptr || *value == '\0') return std::nullopt;
  const std::string_view text(value);
  long long seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || seconds < 0 ||
      seconds > kLatest) {
    problem = "SOURCE_DATE_EPOCH is not a date from 0 to " + std::to_string(kLatest) +
              " seconds since 1970 (9999-12-31); the PDF carries no date";
    return std::nullopt;
  }
  return static_cast<std::time_t>(seconds);
}

}  // namespace PdfDocumentDate

#include "platform/printers/PdfSheetFiles.h"

#include <QDateTime>
#include <QLocale>
#include <QStandardPaths>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/files/LiveProcess.h"
#include "platform/files/SafeWrite.h"
#include "platform/files/StaleTemporaries.h"
#include "platform/files/TemporaryName.h"
#include "platform/storage/IRegistry.h"
#include "platform/storage/RegistryText.h"
#include "platform/text/QtText.h"

namespace {

constexpr const char* kSettingsKey = "Software\\Glyphera\\PDF Printer";
constexpr const char* kOutputFolderValue = "Output Folder";
constexpr const char* kPaperValue = "Paper";

// A sheet is written under a temporary named by TemporaryName beside its final name, which
// carries its writer's process id, until all of it is on the disk; one of a copy that still runs
// is that copy's to finish, and RemoveStaleTemporaries leaves it. Earlier versions wrote it under
// ".glyphera-<process id>-<milliseconds>-<number>.pdf.part", and before that without the process,
// ".glyphera-<milliseconds>-<number>.pdf.part": one whose writer is gone is of no use to anyone.
bool IsAbandonedSheet(std::string_view name) {
  if (name.starts_with(".Glyphera ") && TemporaryName::WriterOf(name)) return true;
  constexpr std::string_view kPrefix = ".glyphera-";
  constexpr std::string_view kSuffix = ".pdf.part";
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return false;
  name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  std::vector<long long> numbers;
  for (std::string_view rest = name;;) {
    const std::string_view part = rest.substr(0, rest.find('-'));
    long long number = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
    if (part.empty() || error != std::errc() || end != part.data() + part.size()) return false;
    numbers.push_back(number);
    if (part.size() == rest.size()) break;
    rest.remove_prefix(part.size() + 1);
  }
  if (numbers.size() == 2) return true;
  return numbers.size() == 3 && !ProcessRuns(static_cast<long>(numbers[0]));
}

}  // namespace

PdfSheetFiles::PdfSheetFiles(IRegistry& registry) : registry_(registry) {}

void PdfSheetFiles::RemoveAbandoned() {
  try {
    RemoveStaleTemporaries(OutputFolder(), IsAbandonedSheet);
  } catch (const PlatformError&) {
    // A folder named by a value of the wrong type is reported when a sheet is printed.
  }
}

std::string PdfSheetFiles::StoredSetting(const char* name) {
  // A store that cannot be read leaves the printer its defaults: a sheet needs none of the
  // fonts' records, and the store's fault is reported where those are read.
  try {
    if (!registry_.QueryValue(RegistryRoot::CurrentUser, kSettingsKey, name)) return {};
  } catch (const PlatformError&) {
    return {};
  }
  return ReadRegistryText(registry_, RegistryRoot::CurrentUser, kSettingsKey, name);
}

std::string PdfSheetFiles::OutputFolder() {
  const std::string stored = StoredSetting(kOutputFolderValue);
  if (!stored.empty()) return stored;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return ToStdString(documents) + "/Glyphera";
}

void PdfSheetFiles::SetOutputFolder(const std::string& folder) {
  registry_.SetValue(RegistryRoot::CurrentUser, kSettingsKey, kOutputFolderValue,
                     {RegistryType::Text, folder, 0});
}

std::string PdfSheetFiles::PaperSize() {
  const std::string stored = StoredSetting(kPaperValue);
  if (stored == "Letter" || stored == "A4") return stored;
  return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? "Letter" : "A4";
}

void PdfSheetFiles::SetPaperSize(const std::string& paper) {
  registry_.SetValue(RegistryRoot::CurrentUser, kSettingsKey, kPaperValue,
                     {RegistryType::Text, paper, 0});
}

std::string PdfSheetFiles::Write(bool made, std::string_view pdf) {
  std::string finalName = NextName();
  if (!made) return "Unable to write to " + finalName;
  // The sheet is written under a name of its own and takes its final name only when all of it
  // is on the disk, so a sheet cut short never stands among the finished ones. Another copy of
  // the program printing into the folder may take the name first: the sheet then takes the next
  // free one, and never replaces another's.
  SafeWrite::ReplaceOptions options;
  options.NextFreeName = [this, &finalName] { return finalName = NextName(); };
  const std::error_code error = SafeWrite::Replace(finalName, pdf, options);
  if (error) {
    if (error == std::errc::no_space_on_device) {
      return "Unable to write to " + finalName + ": there is not enough space on the disk";
    }
    return "Unable to write to " + finalName;
  }
  return {};
}

std::string PdfSheetFiles::NextName() {
  const std::string folder = OutputFolder();
  const std::string stamp =
      ToStdString(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss")));
  for (;; ++sequence_) {
    char number[16];
    std::snprintf(number, sizeof number, "%06d", sequence_);
    const std::string name = folder + "/Glyphera " + stamp + " " + number + ".pdf";
    if (!std::filesystem::exists(name)) {
      ++sequence_;
      return name;
    }
  }
}

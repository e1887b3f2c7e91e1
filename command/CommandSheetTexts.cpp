#include "command/CommandSheetTexts.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/storage/IProfileStrings.h"
#include "settings/EditSamplePage.h"

using namespace SampleTextKeys;

void CommandSheetTexts::Read(IProfileStrings& profile, const std::string& file, bool mustExist) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) {
    if (error) throw PlatformError("Cannot read " + file + ": " + error.message());
    if (mustExist) {
      throw PlatformError("Cannot read " + file + ": " +
                          std::make_error_code(std::errc::no_such_file_or_directory).message());
    }
    UseDefaults();
    return;
  }
  std::vector<std::string> keys;
  for (const KeyDefault& entry : kTextKeys) keys.emplace_back(entry.Key);
  keys.emplace_back(kHeadingFont);
  const ProfileValues read = profile.ReadKeys(file, kSection, keys);
  if (read.Status == ProfileStatus::TooLarge) {
    throw PlatformError(file + " is too large to be a settings file.");
  }
  if (read.Status != ProfileStatus::Ok) throw PlatformError("Cannot read " + file);
  // A key the file lacks reads empty, as the window reads it.
  std::copy_n(read.Values.begin(), texts_.size(), texts_.begin());
  headingFont_ = read.Values.back();
}

void CommandSheetTexts::UseDefaults() {
  for (std::size_t i = 0; i < kTextKeys.size(); ++i) texts_[i] = kTextKeys[i].Default;
  headingFont_ = kDefaultHeadingFont;
}

std::string CommandSheetTexts::SampleTitle() {
  // The title box starts empty and is not kept between runs.
  return {};
}

std::string CommandSheetTexts::SampleText() {
  return texts_[kSampleIndex];
}

std::string CommandSheetTexts::ParagraphText() {
  return texts_[kParagraphIndex];
}

std::string CommandSheetTexts::SizeLine(int points) {
  const auto& sizes = EditSamplePage::kSizes;
  const auto found = std::find(sizes.begin(), sizes.end(), points);
  if (found == sizes.end()) return {};
  return texts_[static_cast<std::size_t>(found - sizes.begin())];
}

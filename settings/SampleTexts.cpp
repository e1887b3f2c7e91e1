#include "settings/SampleTexts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/storage/IProfileStrings.h"
#include "settings/EditSamplePage.h"
#include "settings/SampleTextKeys.h"
#include "settings/SingleLine.h"
#include "widgets/Edit.h"
#include "widgets/Memo.h"

using namespace SampleTextKeys;

SampleTexts::SampleTexts(EditSamplePage& page, IProfileStrings& profile, std::string settingsFile)
    : page_(page),
      profile_(profile),
      settingsFile_(std::move(settingsFile)),
      headingFont_(kDefaultHeadingFont) {}

namespace {

constexpr std::uintmax_t kMebibyte = 1024 * 1024;
static_assert(kMaxProfileFileBytes % kMebibyte == 0, "the size limit is told in whole MiB");

// The one size limit of a settings file, as reading and writing both apply it.
std::string SizeLimit() {
  return std::to_string(kMaxProfileFileBytes / kMebibyte) + " MiB";
}

std::string TooLargeText(const std::string& file) {
  return file + " is too large to be a settings file (over " + SizeLimit() + ").";
}

bool IsOverTheLimit(const std::string& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  return !error && size > kMaxProfileFileBytes;
}

}  // namespace

void SampleTexts::ClearLeftovers() {
  if (leftoversCleared_) return;
  leftoversCleared_ = true;
  profile_.RemoveStaleTemporaries(settingsFile_);
}

bool SampleTexts::SettingsFileExists() {
  ClearLeftovers();
  std::error_code error;
  if (!std::filesystem::exists(settingsFile_, error)) return false;
  if (IsOverTheLimit(settingsFile_)) throw PlatformError(TooLargeText(settingsFile_));
  return true;
}

void SampleTexts::Store(const ProfileEntries& entries) {
  ClearLeftovers();
  switch (profile_.WriteKeys(settingsFile_, kSection, entries)) {
    case ProfileStatus::Ok:
      return;
    case ProfileStatus::TooLarge:
      // A file within the limit loads as it is: only this write would take it over.
      if (IsOverTheLimit(settingsFile_)) throw PlatformError(TooLargeText(settingsFile_));
      throw PlatformError("Unable to write to " + settingsFile_ +
                          ": the settings file would grow over " + SizeLimit());
    case ProfileStatus::Failed:
      break;
  }
  throw PlatformError("Unable to write to " + settingsFile_);
}

void SampleTexts::WriteDefaultTexts() {
  ProfileEntries entries;
  for (const KeyDefault& entry : kTextKeys) entries.emplace_back(entry.Key, entry.Default);
  entries.emplace_back(kHeadingFont, kDefaultHeadingFont);
  Store(entries);
  for (std::size_t i = 0; i < kTextKeys.size(); ++i) stored_[i] = kTextKeys[i].Default;
}

void SampleTexts::ReadSampleTexts() {
  ClearLeftovers();
  std::vector<std::string> keys;
  for (const KeyDefault& entry : kTextKeys) keys.emplace_back(entry.Key);
  keys.emplace_back(kHeadingFont);
  const ProfileValues read = profile_.ReadKeys(settingsFile_, kSection, keys);
  for (std::size_t i = 0; i < kTextKeys.size(); ++i) {
    SetBoxText(static_cast<int>(i), read.Values[i]);
    stored_[i] = read.Status == ProfileStatus::Ok ? std::optional(read.Values[i]) : std::nullopt;
  }
  headingFont_ = read.Values.back();
}

void SampleTexts::UseDefaultTexts() {
  for (std::size_t i = 0; i < kTextKeys.size(); ++i) {
    SetBoxText(static_cast<int>(i), kTextKeys[i].Default);
  }
  headingFont_ = kDefaultHeadingFont;
  stored_.fill(std::nullopt);
}

void SampleTexts::WriteSampleTexts() {
  ProfileEntries entries;
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < kTextKeys.size(); ++i) {
    std::string text = BoxText(static_cast<int>(i));
    if (stored_[i] == text) continue;
    entries.emplace_back(kTextKeys[i].Key, std::move(text));
    changed.push_back(i);
  }
  if (entries.empty()) return;
  Store(entries);
  for (std::size_t k = 0; k < changed.size(); ++k) stored_[changed[k]] = entries[k].second;
}

void SampleTexts::cmdSaveTextClick() {
  WriteSampleTexts();
  ReadSampleTexts();
}

void SampleTexts::StoreHeadingFont(const std::string& face) {
  headingFont_ = face;
  Store({{kHeadingFont, face}});
}

std::string SampleTexts::BoxText(int keyIndex) const {
  if (keyIndex < kSizeKeyCount) return page_.SizeBoxes[static_cast<std::size_t>(keyIndex)]->Text();
  if (keyIndex == kSampleIndex) return page_.txtSample->Text();
  // The file holds one line per value: each line break typed into the paragraph becomes a
  // space, so that nothing after it is lost.
  return SingleLine(page_.txtPara->Text());
}

void SampleTexts::SetBoxText(int keyIndex, const std::string& text) {
  if (keyIndex < kSizeKeyCount) {
    page_.SizeBoxes[static_cast<std::size_t>(keyIndex)]->SetText(text);
  } else if (keyIndex == kSampleIndex) {
    page_.txtSample->SetText(text);
  } else {
    page_.txtPara->SetText(text);
  }
}

std::string SampleTexts::SampleText() const {
  return page_.txtSample->Text();
}

std::string SampleTexts::SampleTitle() const {
  return page_.txtTitle->Text();
}

std::string SampleTexts::ParagraphText() const {
  return page_.txtPara->Text();
}

std::string SampleTexts::SizeLine(int points) const {
  const auto& sizes = EditSamplePage::kSizes;
  const auto found = std::find(sizes.begin(), sizes.end(), points);
  if (found == sizes.end()) return {};
  return page_.SizeBoxes[static_cast<std::size_t>(found - sizes.begin())]->Text();
}

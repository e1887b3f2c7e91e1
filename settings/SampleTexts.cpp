#include "settings/SampleTexts.h"

#include <algorithm>
#include <filesystem>

#include "platform/Edit.h"
#include "platform/IProfileStrings.h"
#include "platform/Memo.h"
#include "platform/PlatformError.h"
#include "settings/EditSamplePage.h"
#include "settings/SampleTextKeys.h"
#include "settings/SingleLine.h"

using namespace SampleTextKeys;

SampleTexts::SampleTexts(EditSamplePage& page, IProfileStrings& profile, std::string settingsFile)
    : page_(page),
      profile_(profile),
      settingsFile_(std::move(settingsFile)),
      headingFont_(kDefaultHeadingFont) {}

bool SampleTexts::SettingsFileExists() const {
  std::error_code ignored;
  return std::filesystem::exists(settingsFile_, ignored);
}

void SampleTexts::Write(const char* key, const std::string& value) {
  if (!profile_.Write(settingsFile_, kSection, key, value)) {
    throw PlatformError("Unable to write to " + settingsFile_);
  }
}

void SampleTexts::WriteDefaultTexts() {
  for (const KeyDefault& entry : kTextKeys) Write(entry.Key, entry.Default);
  Write(kHeadingFont, kDefaultHeadingFont);
}

void SampleTexts::ReadSampleTexts() {
  for (int i = 0; i < static_cast<int>(kTextKeys.size()); ++i) {
    SetBoxText(i,
               profile_.Read(settingsFile_, kSection, kTextKeys[static_cast<std::size_t>(i)].Key));
  }
  headingFont_ = profile_.Read(settingsFile_, kSection, kHeadingFont);
}

void SampleTexts::WriteSampleTexts() {
  for (int i = 0; i < static_cast<int>(kTextKeys.size()); ++i) {
    Write(kTextKeys[static_cast<std::size_t>(i)].Key, BoxText(i));
  }
}

void SampleTexts::cmdSaveTextClick() {
  WriteSampleTexts();
  ReadSampleTexts();
}

void SampleTexts::StoreHeadingFont(const std::string& face) {
  headingFont_ = face;
  Write(kHeadingFont, face);
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

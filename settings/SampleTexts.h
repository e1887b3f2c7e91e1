#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/storage/IProfileStrings.h"
#include "settings/SampleTextKeys.h"

class EditSamplePage;

// The sample texts. The boxes of the Edit Sample Text page hold them, so an edit is in use at
// once; the settings file beside the program keeps them between runs. The heading font has no
// box and is kept here.
class SampleTexts {
 public:
  SampleTexts(EditSamplePage& page, IProfileStrings& profile, std::string settingsFile);

  // Each write below replaces the file once, so it holds all the keys old or all of them new.

  // Writes all fifteen keys with their defaults. Throws PlatformError "Unable to write to <file>"
  // when the file cannot be written, the too-large text of SettingsFileExists for a file over the
  // size limit, which is left as it is, and "Unable to write to <file>: the settings file would
  // grow over <limit>" when the write would take it over the limit.
  void WriteDefaultTexts();
  // Reads the fourteen text keys into their boxes and the heading font with one read of the
  // file. Missing keys read empty, and so do all of them when the file cannot be read or is too
  // large: SettingsFileExists and the writes report that.
  void ReadSampleTexts();
  // Fills the boxes and the heading font with the defaults WriteDefaultTexts writes, without
  // touching the file: for a run whose settings file cannot be created or read.
  void UseDefaultTexts();
  // Writes the boxes whose text changed since the file was last read or written, never the
  // heading font, so that the keys another running copy saved meanwhile keep its texts; throws
  // like WriteDefaultTexts.
  void WriteSampleTexts();
  void cmdSaveTextClick();
  // Sets the heading font and stores it at once; throws like WriteDefaultTexts.
  void StoreHeadingFont(const std::string& face);

  // Whether there is a settings file to read. Throws PlatformError "<file> is too large to be a
  // settings file (over <limit>)." for a file over the size limit, so the user learns at start-up
  // why the texts are empty, and the file is not taken for missing and overwritten.
  bool SettingsFileExists();
  const std::string& SettingsFile() const { return settingsFile_; }

  const std::string& HeadingFont() const { return headingFont_; }
  void SetHeadingFont(std::string face) { headingFont_ = std::move(face); }
  std::string SampleText() const;
  std::string SampleTitle() const;
  std::string ParagraphText() const;
  // The line for one of the twelve point sizes (8, 9, 10, 11, 12, 14, 16, 18, 24, 36, 48, 60).
  std::string SizeLine(int points) const;

 private:
  // Clears away what Saves killed in an earlier run left beside the file; once per run, before
  // the file is first used.
  void ClearLeftovers();
  void Store(const ProfileEntries& entries);
  std::string BoxText(int keyIndex) const;
  void SetBoxText(int keyIndex, const std::string& text);

  EditSamplePage& page_;
  IProfileStrings& profile_;
  std::string settingsFile_;
  std::string headingFont_;
  // What the file held for each text key when it was last read or written; nothing when that is
  // not known (the file could not be read), so that the box is written whatever it holds.
  std::array<std::optional<std::string>, SampleTextKeys::kTextKeys.size()> stored_;
  bool leftoversCleared_ = false;
};

#pragma once

#include <string>

class EditSamplePage;
class IProfileStrings;

// The sample texts. The boxes of the Edit Sample Text page hold them, so an edit is in use at
// once; the settings file beside the program keeps them between runs. The heading font has no
// box and is kept here.
class SampleTexts {
 public:
  SampleTexts(EditSamplePage& page, IProfileStrings& profile, std::string settingsFile);

  // Writes all fifteen keys with their defaults. Throws PlatformError "Unable to write to <file>"
  // at the first key that cannot be written.
  void WriteDefaultTexts();
  // Reads the fourteen text keys into their boxes and the heading font; missing keys read empty.
  void ReadSampleTexts();
  // Writes the fourteen boxes, never the heading font; throws like WriteDefaultTexts.
  void WriteSampleTexts();
  void cmdSaveTextClick();
  // Sets the heading font and stores it at once; throws like WriteDefaultTexts.
  void StoreHeadingFont(const std::string& face);

  bool SettingsFileExists() const;
  const std::string& SettingsFile() const { return settingsFile_; }

  const std::string& HeadingFont() const { return headingFont_; }
  void SetHeadingFont(std::string face) { headingFont_ = std::move(face); }
  std::string SampleText() const;
  std::string SampleTitle() const;
  std::string ParagraphText() const;
  // The line for one of the twelve point sizes (8, 9, 10, 11, 12, 14, 16, 18, 24, 36, 48, 60).
  std::string SizeLine(int points) const;

 private:
  void Write(const char* key, const std::string& value);
  std::string BoxText(int keyIndex) const;
  void SetBoxText(int keyIndex, const std::string& text);

  EditSamplePage& page_;
  IProfileStrings& profile_;
  std::string settingsFile_;
  std::string headingFont_;
};

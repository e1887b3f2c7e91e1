#pragma once

#include <array>
#include <string>

#include "printing/SheetContext.h"
#include "settings/SampleTextKeys.h"

class IProfileStrings;

// The sheets' texts and print options of a command line: the texts of a settings file, as the
// window starts with them, and the options given.
class CommandSheetTexts final : public ISheetTexts {
 public:
  // The texts of the settings file; its defaults when the file does not exist yet, as the window
  // writes them then, unless the file must exist (one the user named). Throws PlatformError when
  // the file cannot be read, or must exist and does not.
  void Read(IProfileStrings& profile, const std::string& file, bool mustExist = false);
  // The default texts and heading font, as the window writes them to a new settings file.
  void UseDefaults();

  void SetHeadingFont(std::string face) { headingFont_ = std::move(face); }
  void SetStyle(bool bold, bool italic) {
    bold_ = bold;
    italic_ = italic;
  }
  void SetSampleSize(int size) { sampleSize_ = size; }

  std::string HeadingFont() override { return headingFont_; }
  std::string SampleTitle() override;
  std::string SampleText() override;
  std::string ParagraphText() override;
  std::string SizeLine(int points) override;
  bool PrintBold() override { return bold_; }
  bool PrintItalic() override { return italic_; }
  int SampleSize() override { return sampleSize_; }

 private:
  std::array<std::string, SampleTextKeys::kTextKeys.size()> texts_;
  std::string headingFont_ = SampleTextKeys::kDefaultHeadingFont;
  bool bold_ = false;
  bool italic_ = false;
  int sampleSize_ = 11;
};

#pragma once

#include <array>
#include <string>

#include "printing/ParagraphSizes.h"

// The printer's resolution for the job, in dots per inch along the page's width and height.
struct PageMetrics {
  int DpiX = 0;
  int DpiY = 0;
};

// The texts and print options as they stand at the moment a sheet is drawn: the boxes of the
// Edit Sample Text page, the heading font and the Main page's print options.
class ISheetTexts {
 public:
  virtual ~ISheetTexts() = default;
  virtual std::string HeadingFont() = 0;
  virtual std::string SampleTitle() = 0;
  virtual std::string SampleText() = 0;
  virtual std::string ParagraphText() = 0;
  // The line for one of the sizes 8, 9, 10, 11, 12, 14, 16, 18, 24, 36, 48 and 60.
  virtual std::string SizeLine(int points) = 0;
  virtual bool PrintBold() = 0;    // chkBold
  virtual bool PrintItalic() = 0;  // chkItalic
  virtual int SampleSize() = 0;    // spnSampleSize, as it stands
};

// The three lines a sample block or a Full Page style section prints; the third is the sample
// text, which a sheet takes afresh as it is prepared.
using SheetLines = std::array<std::string, 3>;

// What every sheet of a job reads: the live texts and the job's fixed state. Nothing a sheet
// draws writes back into it.
struct SheetContext {
  ISheetTexts& Texts;
  const PageMetrics& Metrics;
  const std::string& StyleSuffix;
  const SheetLines& SampleSheetLines;
  const ParagraphSizeTable& ParagraphSizes;
};

#pragma once

#include <array>
#include <string>

#include "printing/ParagraphSizes.h"

// Values the main window sets when it is created or first shown.
namespace StartupValues {

inline constexpr const char* kHelpFileName = "GLYPHERA.HLP";
inline constexpr const char* kSheetLine0 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr const char* kSheetLine1 =
    "abcdefghijklmnopqrstuvwxyz1234567890!@#$%^&*()-+=[]{}/:;\",.?";
inline constexpr const char* kLargeSampleLines =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nabcdefghijklmnopqrstuvwxyz\r\n"
    "1234567890!@#$%^&*()-=+{}[];:'\",.?\r\n";
inline constexpr const char* kPreviewSampleLines =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nabcdefghijklmnopqrstuvwxyz1234567890\r\n";
// The main window's place, in the screen's own pixels at every dpi, as its width is counted.
inline constexpr int kDesignedLeft = 133;
inline constexpr int kDesignedTop = 87;
inline constexpr int kSmallScreenWidth = 800;

// The paragraph sizes: 7 to 12 in halves, then 13 and 14; none marked for printing yet.
ParagraphSizeTable DefaultParagraphSizes();
// Which paragraph-size boxes are ticked when the window is created: 9, 10, 11, 12, 13 and 14.
inline constexpr std::array<bool, kParagraphSizeCount> kParagraphBoxesCheckedAtStart = {
    false, false, false, false, true, false, true, false, true, false, true, true, true};

// The directory of the program file, ending in "/".
std::string ProgramDirOf(const std::string& programFile);

// Where installed fonts are copied, ending in "/": the folder the registry names, or the
// fallback when the value is empty, relative or the root, none of which is a fonts folder.
std::string InstallFolderFor(const std::string& registryValue, const std::string& fallback);

// The character code of the font map's cell in column c, row r.
constexpr int FontMapCode(int column, int row) {
  return 32 + 32 * row + column;
}

// The scroll step of the Show All Selected page: 95 % of the scroll box's height, truncated.
constexpr int PageStepFor(int scrollBoxHeight) {
  return scrollBoxHeight * 95 / 100;
}

// The font map's row height, so that its seven rows fill the grid.
constexpr int FontMapRowHeight(int gridHeight) {
  return (gridHeight - 6) / 7;
}

// On a screen 800 pixels wide or less the window goes to the top-left corner.
constexpr bool PlaceAtOrigin(int screenWidth) {
  return screenWidth <= kSmallScreenWidth;
}

}  // namespace StartupValues

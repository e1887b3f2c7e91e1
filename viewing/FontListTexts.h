#pragma once

// Texts of the Main page's sample.
inline constexpr const char* kSampleAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nabcdefghijklmnopqrstuvwxyz1234567890\r\n";
// One line, wrapped by the memo between words: a fixed break after "screen font" leaves "font"
// alone on a line whenever the sample's face is wider than the one the break was made for.
inline constexpr const char* kNoScreenFontText =
    "This font does not have an equivalent screen font and cannot be displayed.";
inline constexpr const char* kNoFontsText = "The current printer reports no fonts.";
inline constexpr const char* kSystemFace = "System";

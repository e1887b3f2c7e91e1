#pragma once

// Texts of the Main page's sample.
inline constexpr const char* kSampleAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nabcdefghijklmnopqrstuvwxyz1234567890\r\n";
inline constexpr const char* kNoScreenFontText =
    "This font does not have an equivalent screen font\r\nand cannot be displayed.";
inline constexpr const char* kNoFontsText = "The current printer reports no fonts.";
inline constexpr const char* kSystemFace = "System";

#pragma once

#include <array>

// The settings file: its name beside the program, its one section, and its keys in the order
// they are first written, each with its default text.
namespace SampleTextKeys {

inline constexpr const char* kFileName = "GLYPHERA.INI";
inline constexpr const char* kSection = "Glyphera";
inline constexpr const char* kHeadingFont = "HeadingFont";
inline constexpr const char* kDefaultHeadingFont = "Arial";

struct KeyDefault {
  const char* Key;
  const char* Default;
};

// Def8 to Def60 follow the twelve point sizes of the Edit Sample Text page, then the sample
// line and the paragraph.
inline constexpr int kSizeKeyCount = 12;
inline constexpr int kSampleIndex = 12;
inline constexpr int kParagraphIndex = 13;
inline constexpr std::array<KeyDefault, 14> kTextKeys = {{
    {"Def8", "This is 8-point type - not easy to read!"},
    {"Def9", "9-point type is about the smallest readable size."},
    {"Def10", "With 10-point type, we have a normal text size."},
    {"Def11", "11-point type is usually ideal for body text."},
    {"Def12", "With some fonts, 12-point type is easier to read."},
    {"Def14", "14-point type is good for subheadings."},
    {"Def16", "For larger subheadings, try 16-point type."},
    {"Def18", "18-point type makes nice small headlines."},
    {"Def24", "24-point type is for medium headlines."},
    {"Def36", "36-point is for larger ones."},
    {"Def48", "48-point almost shouts!"},
    {"Def60", "60-point is huge!"},
    {"DefSample", "The quick brown fox jumps over the lazy dog."},
    {"ParaText",
     "When Gutenberg printed his 42-line Bible in 1456, he had only one typeface to choose "
     "from: the formal, square-text Gothic letter that mimicked the lettering of scribes. Today "
     "a designer can choose among tens of thousands of typefaces, from sturdy old-style romans "
     "and crisp moderns to plain sans serifs, slab serifs, scripts and display faces. To find a "
     "way through such plenty, typographers sort typefaces into classes by the shape of their "
     "serifs, the contrast of their strokes and their stress axis."},
}};

// Typing into the paragraph box stops at this many characters.
inline constexpr int kParagraphMaxLength = 600;

}  // namespace SampleTextKeys

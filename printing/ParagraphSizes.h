#pragma once

#include <array>

// One paragraph size of the Text Paragraphs printout: whether it is printed, and its size.
struct ParagraphSize {
  bool Checked = false;
  float PointSize = 0;
};

inline constexpr int kParagraphSizeCount = 13;
using ParagraphSizeTable = std::array<ParagraphSize, kParagraphSizeCount>;

#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

// QCollator's comparison in the user's locale, without regard to letter case: below zero when a
// sorts before b, zero when they are equal but for case.
int CompareText(std::string_view a, std::string_view b);

// The same for texts already converted, which a sort of many compares n log n times.
int CompareText(const QString& a, const QString& b);

// The positions of the texts in the order of CompareText, equal texts in the order given: what a
// stable sort with CompareText gives, with the collation of each text made once rather than at
// every comparison.
std::vector<std::size_t> TextOrder(const std::vector<QString>& texts);

// The text with letter case folded away, for lookups that ignore case: two texts that differ
// only in case fold to the same bytes.
std::string FoldCase(std::string_view text);

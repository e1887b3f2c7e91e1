#pragma once

#include <optional>
#include <string>

// The family and style of the face whose full name this is ("DejaVu Sans Bold Oblique" gives
// "DejaVu Sans" and "Bold Oblique"); nothing when no face has that full name.
struct FamilyAndStyle {
  std::string Family;
  std::string Style;
};
std::optional<FamilyAndStyle> FaceByFullName(const std::string& fullName);

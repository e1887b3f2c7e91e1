#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <optional>
#include <string>

// A face's names as FreeType gives them, chosen by the rule our reader follows: in record order,
// among the first 100 records, each family name (ID 1) replaces the one before, and the first
// full name (ID 4) after a family name ends the search. Every string keeps its bytes of 32 and
// more, at most 100 of them, trimmed of spaces; a full name of fewer than 2 characters gives no
// face. The bytes are kept as they are (no Windows-1252 mapping), which is all a comparison of
// plain ASCII names needs.
struct FreeTypeFace {
  std::string Family;
  std::string FullName;
  // Both chosen strings hold only bytes below 128.
  bool Ascii = true;
};

// FT_New_Face on the file, then the naming table through FT_Get_Sfnt_Name; nothing when FreeType
// cannot open the file or the rule finds no face.
std::optional<FreeTypeFace> ReadFreeTypeNames(FT_Library library, const std::string& path);

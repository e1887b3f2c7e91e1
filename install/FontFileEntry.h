#pragma once

#include <memory>
#include <string>

#include "widgets/ListItemData.h"

// A face family read from a font file: the family name (name ID 1, trimmed), the file's name as
// the file list shows it, without directory, the face's index in the file (above 0 only in a
// collection), whether its outlines are CFF ("OTTO") and which named instance it is. The page's
// lists share these records; a record lives as long as any list refers to it.
struct FontFileEntry : ListItemData {
  std::string FamilyName;
  std::string FileName;
  int FaceIndex = 0;
  bool CffOutlines = false;
  // The named instance of a variable font the face is (1 for the first, as FreeType and
  // fontconfig number them), 0 for a face that is none. An instance is drawn by its full name:
  // its family names every instance of the font.
  int Instance = 0;
};

// One face found in a file: its full name (name ID 4, trimmed) and the entry of its file.
struct FontFace {
  std::string FullName;
  std::shared_ptr<FontFileEntry> Entry;
};

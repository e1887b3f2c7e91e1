#pragma once

#include <string>
#include <string_view>
#include <vector>

// The outline (bookmarks) and the links between pages that the toolkit's PDF writer does not
// make, added to a finished PDF as an incremental update: new objects appended after its end,
// with a cross-reference section and trailer of their own pointing back at its last one. It works
// from the file's bytes alone, so a whole book of documents can be given its navigation at once,
// and gives the same bytes for the same input.
namespace PdfNavigation {

// An outline entry: level 0 at the top, each deeper level under the last entry one above it.
struct Bookmark {
  int Level = 0;
  std::string Title;  // UTF-8
  int Page = 0;       // of the whole file, from 0
};

// A link area on a page, in PDF points from the page's bottom-left corner, to another page.
struct Link {
  double Left = 0;
  double Bottom = 0;
  double Right = 0;
  double Top = 0;
  int FromPage = 0;
  int ToPage = 0;
};

// The bytes to append to the PDF. Nothing when there is nothing to add. Throws PlatformError
// when the file is not a PDF it can read (one whose cross-references are streams) or a page is
// out of range.
std::string Update(std::string_view pdf, const std::vector<Bookmark>& bookmarks,
                   const std::vector<Link>& links);

}  // namespace PdfNavigation

#pragma once

#include <string_view>
#include <system_error>
#include <vector>

#include "platform/printers/PdfJoin.h"
#include "platform/printers/PdfNavigation.h"

// The file of a PDF book: its parts joined in the order they come, each written to the
// descriptor as it comes, then the outline and the links of them all.
class PdfBookFile {
 public:
  explicit PdfBookFile(int fd);

  // Joins a part, a whole PDF as the toolkit writes one, after the parts before it. False when
  // it is no such PDF or the write failed.
  bool Append(std::string_view part);
  int PageCount() const { return join_.PageCount(); }
  // Outline entries and links whose pages count from the book's page firstPage.
  void AddNavigation(int firstPage, const std::vector<PdfNavigation::Bookmark>& bookmarks,
                     const std::vector<PdfNavigation::Link>& links);

  // Ends the file. The cause of a failure: a write that failed, or a book with no page
  // (std::errc::invalid_argument).
  std::error_code Finish();

 private:
  // Appends the outline and the links to the finished file.
  std::error_code WriteNavigation();

  int fd_;
  PdfJoin join_;
  std::vector<PdfNavigation::Bookmark> bookmarks_;
  std::vector<PdfNavigation::Link> links_;
};

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
  // The descriptor may be anything that takes writes: a new file, a device, a pipe. The outline
  // and the links are made from the finished file, read back from the descriptor when it is a
  // new file open for reading, and otherwise from an unnamed copy in the temporary folder.
  explicit PdfBookFile(int fd);
  ~PdfBookFile();
  PdfBookFile(const PdfBookFile&) = delete;
  PdfBookFile& operator=(const PdfBookFile&) = delete;

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
  // Puts bytes to the file, and to the copy when there is one.
  std::error_code Write(std::string_view bytes);
  // Appends the outline and the links to the finished file.
  std::error_code WriteNavigation();

  int fd_;
  // Where the finished file is read back from: fd_, or the copy (-1 when it could not be made).
  int readBack_;
  std::error_code copyError_;
  PdfJoin join_;
  std::vector<PdfNavigation::Bookmark> bookmarks_;
  std::vector<PdfNavigation::Link> links_;
};

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// Joins whole PDF documents, as the toolkit's PDF writer makes them, into one PDF that is written
// out as each document comes: their objects are renumbered into the one file and their pages
// hung from one page tree. Only what the writer itself makes is read: objects numbered from 1,
// a cross-reference table, and references written "N 0 R" outside the streams.
class PdfJoin {
 public:
  // Puts bytes at the end of the file; gives the cause of a failure.
  using Write = std::function<std::error_code(std::string_view)>;

  explicit PdfJoin(Write write) : write_(std::move(write)) {}

  // Appends every page of the document, with all it refers to. The first document's information
  // (its title) is the joined one's. False when the bytes are not a document of that kind; the
  // cause of a failed write is kept for Finish.
  bool Append(std::string_view pdf);
  // Writes the page tree, the catalog, the information and the cross-reference table.
  std::error_code Finish();

  int PageCount() const { return static_cast<int>(pages_.size()); }
  // The number of every page's object, in order.
  const std::vector<int>& PageObjects() const { return pages_; }

  // Puts a new object of the caller's into the file (an outline, say); its number.
  int AddObject(std::string_view body);
  // Entries the catalog gets beside its page tree ("/Outlines 7 0 R\n").
  void AddToCatalog(std::string entries) { catalogExtra_ += std::move(entries); }

 private:
  static constexpr int kInfo = 1;
  static constexpr int kCatalog = 2;
  static constexpr int kPageTree = 3;

  void Put(std::string_view bytes);
  void BeginObject(int number);

  Write write_;
  std::error_code error_;
  std::uint64_t written_ = 0;
  bool started_ = false;
  int next_ = kPageTree + 1;
  // Each object's offset in the file, by number (0 for none yet).
  std::vector<std::uint64_t> offsets_;
  std::vector<int> pages_;
  std::string info_;
  std::string catalogExtra_;
};

#include "platform/printers/PdfBookFile.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/PlatformError.h"
#include "platform/files/SafeWrite.h"

PdfBookFile::PdfBookFile(int fd)
    : fd_(fd), join_([fd](std::string_view bytes) { return SafeWrite::WriteAll(fd, bytes); }) {}

bool PdfBookFile::Append(std::string_view part) {
  return join_.Append(part);
}

void PdfBookFile::AddNavigation(int firstPage,
                                const std::vector<PdfNavigation::Bookmark>& bookmarks,
                                const std::vector<PdfNavigation::Link>& links) {
  for (PdfNavigation::Bookmark bookmark : bookmarks) {
    bookmark.Page += firstPage;
    bookmarks_.push_back(std::move(bookmark));
  }
  for (PdfNavigation::Link link : links) {
    link.FromPage += firstPage;
    link.ToPage += firstPage;
    links_.push_back(link);
  }
}

std::error_code PdfBookFile::Finish() {
  if (join_.PageCount() == 0) return std::make_error_code(std::errc::invalid_argument);
  if (const std::error_code error = join_.Finish()) return error;
  return WriteNavigation();
}

std::error_code PdfBookFile::WriteNavigation() {
  if (bookmarks_.empty() && links_.empty()) return {};
  // The finished file is read through a mapping: only the parts the update looks at are read.
  struct stat status {};
  if (fstat(fd_, &status) != 0) return {errno, std::generic_category()};
  const auto size = static_cast<std::size_t>(status.st_size);
  void* mapped = mmap(nullptr, size, PROT_READ, MAP_SHARED, fd_, 0);
  if (mapped == MAP_FAILED) return {errno, std::generic_category()};
  std::string update;
  try {
    update = PdfNavigation::Update(std::string_view(static_cast<const char*>(mapped), size),
                                   bookmarks_, links_);
  } catch (const PlatformError&) {
    munmap(mapped, size);
    return std::make_error_code(std::errc::io_error);
  }
  munmap(mapped, size);
  return SafeWrite::WriteAll(fd_, update);
}

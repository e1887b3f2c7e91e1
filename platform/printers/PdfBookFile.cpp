#include "platform/printers/PdfBookFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/PlatformError.h"
#include "platform/files/SafeWrite.h"

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// Whether what is written to the descriptor can be read back from it, from the first byte: an
// empty regular file open for reading and writing, at its start. A device, a pipe or a file
// opened only for writing (standard output redirected by a shell) cannot.
bool ReadsBack(int fd) {
  struct stat info {};
  const int flags = fcntl(fd, F_GETFL);
  return fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0 && flags >= 0 &&
         (flags & O_ACCMODE) == O_RDWR && lseek(fd, 0, SEEK_CUR) == 0;
}

// A file with no name in the temporary folder, gone with its last descriptor; in memory where
// the folder cannot hold one.
int UnnamedCopy() {
  std::error_code ignored;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(ignored);
  const int fd = open(folder.empty() ? "/tmp" : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC,
                      S_IRUSR | S_IWUSR);
  return fd >= 0 ? fd : memfd_create("glyphera-book", MFD_CLOEXEC);
}

}  // namespace

PdfBookFile::PdfBookFile(int fd)
    : fd_(fd),
      readBack_(ReadsBack(fd) ? fd : UnnamedCopy()),
      join_([this](std::string_view bytes) { return Write(bytes); }) {
  if (readBack_ < 0) copyError_ = LastError();
}

PdfBookFile::~PdfBookFile() {
  if (readBack_ >= 0 && readBack_ != fd_) close(readBack_);
}

std::error_code PdfBookFile::Write(std::string_view bytes) {
  if (const std::error_code error = SafeWrite::WriteAll(fd_, bytes)) return error;
  if (readBack_ < 0 || readBack_ == fd_) return {};
  return SafeWrite::WriteAll(readBack_, bytes);
}

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
  if (readBack_ < 0) return copyError_;
  // The finished file is read through a mapping: only the parts the update looks at are read.
  struct stat status {};
  if (fstat(readBack_, &status) != 0) return LastError();
  const auto size = static_cast<std::size_t>(status.st_size);
  void* mapped = mmap(nullptr, size, PROT_READ, MAP_SHARED, readBack_, 0);
  if (mapped == MAP_FAILED) return LastError();
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

#include "install/FolderReadAhead.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <utility>

#include "install/FontNameReader.h"

FolderReadAhead::FolderReadAhead(std::string directory, std::vector<std::string> fileNames,
                                 FileReader read)
    : directory_(std::move(directory)), fileNames_(std::move(fileNames)), read_(std::move(read)) {
  // The loop reads the first file itself at once; only the files behind it are worth a worker.
  const std::size_t workers = fileNames_.empty() ? 0 : std::min(kWorkers, fileNames_.size() - 1);
  workers_.reserve(workers);
  try {
    for (std::size_t i = 0; i < workers; ++i) workers_.emplace_back([this] { Work(); });
  } catch (const std::system_error&) {
    // Reading ahead only saves time: the workers that did start will do, or none at all.
  }
}

FolderReadAhead::~FolderReadAhead() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  moved_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void FolderReadAhead::Reached(std::size_t index) {
  bool wake = false;
  {
    const std::lock_guard lock(mutex_);
    reached_ = index;
    // Files the loop has come to are read by the loop: a worker reading them too gains nothing.
    next_ = std::max(next_, index + 1);
    // Once half the window is used up, one more worker at each file: a loop that keeps catching
    // up soon has them all reading, while workers that keep ahead are seldom woken for nothing.
    wake = next_ <= index + kWindow / 2;
  }
  if (wake) moved_.notify_one();
}

bool FolderReadAhead::ReadUnlessCached(const std::string& directory, const std::string& fileName) {
  std::string path = directory;
  if (path.empty() || path.back() != '/') path += '/';
  path += fileName;
  // A file whose first bytes are cached has been read lately, names and all.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  char first[16];
  iovec buffer{first, sizeof first};
  const bool cached = ::preadv2(fd, &buffer, 1, 0, RWF_NOWAIT) >= 0;
  ::close(fd);
  if (!cached) ReadFontFaces(directory, fileName);
  return cached;
}

void FolderReadAhead::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    moved_.wait(lock, [this] {
      return stopping_ || next_ >= fileNames_.size() || next_ <= reached_ + kWindow;
    });
    if (stopping_ || next_ >= fileNames_.size()) return;
    const std::string& fileName = fileNames_[next_];
    next_ += cached_ ? kCachedStride : 1;
    lock.unlock();
    const bool cached = read_(directory_, fileName);
    lock.lock();
    cached_ = cached;
  }
}

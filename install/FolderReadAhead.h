#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Warms the page cache for a loop that reads a folder's font files one after another, so that the
// loop seldom waits for the disk: a few worker threads read the files just ahead of the loop's
// position, each its own file, so that the disk serves several at once where the loop alone would
// wait for one read at a time. The workers stay at most a window of files ahead, so that a loop
// that stops early leaves little read for nothing; destroying the object stops them and waits
// only for the files they are reading at that moment.
//
// Files found in the cache cost the loop nothing to read, and reading them twice would only take
// the processor from it: while the files turn out to be cached, the workers look at one file in
// kCachedStride, and read every file again as soon as one is not.
//
// The workers touch nothing but the files and this object: what the loop does with the files,
// and in which order, is its own business.
class FolderReadAhead {
 public:
  // Reads one file as the loop will, the result thrown away, unless the file is in the cache
  // already; returns whether it was.
  using FileReader = std::function<bool(const std::string& directory, const std::string& fileName)>;

  static constexpr std::size_t kWorkers = 16;
  static constexpr std::size_t kWindow = 64;
  static constexpr std::size_t kCachedStride = 16;

  // fileNames are the files of directory in the order the loop reads them. By default a file is
  // read with ReadFontFaces, which takes exactly the bytes the loop's own reading will take.
  FolderReadAhead(std::string directory, std::vector<std::string> fileNames,
                  FileReader read = ReadUnlessCached);
  ~FolderReadAhead();
  FolderReadAhead(const FolderReadAhead&) = delete;
  FolderReadAhead& operator=(const FolderReadAhead&) = delete;

  // The loop is about to read fileNames[index]: the workers may go on up to kWindow files past it.
  void Reached(std::size_t index);

 private:
  static bool ReadUnlessCached(const std::string& directory, const std::string& fileName);
  void Work();

  const std::string directory_;
  const std::vector<std::string> fileNames_;
  const FileReader read_;

  std::mutex mutex_;
  std::condition_variable moved_;
  // Guarded by mutex_: the loop's position, the next file no worker has taken yet, whether the
  // last file a worker looked at was cached, and whether the workers are to stop.
  std::size_t reached_ = 0;
  std::size_t next_ = 1;
  bool cached_ = false;
  bool stopping_ = false;

  std::vector<std::thread> workers_;
};

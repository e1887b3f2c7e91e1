#pragma once

#include <string>

// An exclusive advisory lock (flock) that running copies of the program take around each
// read-change-write of a file they share, so that none writes what it read before another's
// write. Held from a successful construction to destruction.
class FileLock {
 public:
  enum class Create { IfMissing, Never };

  // Locks the file at `path`, made empty first when it is missing and `create` allows. Waits a
  // few seconds at most for another copy to let go: a write takes milliseconds, so a lock held
  // longer belongs to a copy that is stuck, and waiting on would hang this one as well.
  FileLock(const std::string& path, Create create);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // False when the file could not be opened or the lock was not had in time.
  bool Held() const { return fd_ >= 0; }

  // The lock file of a file that is replaced by rename: ".<name>.lock" beside it. The file
  // itself cannot carry the lock, since each replace makes it another file.
  static std::string Beside(const std::string& target);

 private:
  int fd_ = -1;
};

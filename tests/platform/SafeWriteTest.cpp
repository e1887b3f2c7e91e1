#include <sys/resource.h>
#include <QtTest>

#include <cerrno>
#include <climits>
#include <csignal>
#include <deque>
#include <filesystem>

#include "fixtures/FileBytes.h"
#include "fixtures/TempDir.h"
#include "platform/files/SafeWrite.h"

// What the scripted write() takes at each call: a count of bytes, or minus an errno.
static std::deque<int> script;
static std::string received;

static ssize_t ScriptedWrite(int, const void* bytes, std::size_t size) {
  const int next = script.front();
  script.pop_front();
  if (next < 0) errno = -next;
  if (next < 0) return -1;
  const std::size_t taken = std::min(size, static_cast<std::size_t>(next));
  received.append(static_cast<const char*>(bytes), taken);
  return static_cast<ssize_t>(taken);
}

class SafeWriteTest : public QObject {
  Q_OBJECT
 private slots:
  void writeLoop();
  void replace();
};

void SafeWriteTest::writeLoop() {
  const struct {
    const char* what;
    std::deque<int> calls;
    int error;
    std::size_t taken;
  } rows[] = {{"short writes go on to the end", {3, 1, 50}, 0, 11},
              {"an interrupted write is tried again", {-EINTR, 50}, 0, 11},
              {"a write taking nothing is a full disk", {4, 0, 50}, ENOSPC, 4},
              {"the kernel's error is kept", {2, -EIO}, EIO, 2}};
  const std::string bytes = "hello world";
  for (const auto& row : rows) {
    script = row.calls;
    received.clear();
    QVERIFY2(SafeWrite::WriteAll(-1, bytes, ScriptedWrite).value() == row.error, row.what);
    QVERIFY2(received == bytes.substr(0, row.taken), row.what);
  }
}

// A full disk is a file size limit just above the old file's.
void SafeWriteTest::replace() {
  const struct {
    const char* what;
    int mode;
    bool linked, inPlace, full;
    std::size_t nameLength;
  } rows[] = {{"the new bytes replace the old", 0, false, false, false, 4},
              {"the old file's mode is kept", 0640, false, false, false, 4},
              {"a link's target is replaced", 0, true, false, false, 4},
              {"a failed write leaves the old file", 0, false, false, true, 4},
              {"a name at the longest", 0, false, false, false, NAME_MAX},
              {"a failed write in place puts the old back", 0, true, true, true, 4}};
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto restore = qScopeGuard([&] { setrlimit(RLIMIT_FSIZE, &saved); });
  const std::string old = "old bytes\n", fresh = "new bytes, many more of them\n";
  for (const auto& row : rows) {
    TempDir dir;
    const std::string file = dir.File(std::string(row.nameLength, 'f')), link = dir.File("link");
    WriteBytes(file, old);
    if (row.linked) std::filesystem::create_symlink(std::filesystem::path(file).filename(), link);
    SafeWrite::ReplaceOptions options;
    if (row.mode != 0) options.Mode = static_cast<mode_t>(row.mode);
    options.FollowLinks = row.linked;
    options.InPlaceWhenNoTemporary = row.inPlace;
    options.OldBytes = old;
    const rlimit limit{row.full ? old.size() + 4 : saved.rlim_cur, saved.rlim_max};
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const std::error_code error = SafeWrite::Replace(row.linked ? link : file, fresh, options);
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY2(bool(error) == row.full, row.what);
    QVERIFY2(ReadBytes(file) == (row.full ? old : fresh), row.what);
    QVERIFY2(
        row.mode == 0 || static_cast<int>(std::filesystem::status(file).permissions()) == row.mode,
        row.what);
    QVERIFY2(std::filesystem::is_symlink(link) == row.linked, row.what);
    QVERIFY2(FolderEntries(dir.Path()).size() == (row.linked ? 2 : 1), row.what);
  }
}

QTEST_GUILESS_MAIN(SafeWriteTest)
#include "SafeWriteTest.moc"

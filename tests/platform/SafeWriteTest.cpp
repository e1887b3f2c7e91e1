#include <sys/resource.h>
#include <sys/stat.h>
#include <QtTest>

#include <cerrno>
#include <climits>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "fixtures/FileBytes.h"
#include "fixtures/TempDir.h"
#include "platform/files/SafeWrite.h"

namespace fs = std::filesystem;

namespace {

// What the scripted write() takes at each call: a count of bytes, or minus an errno.
std::vector<int> script;
std::string received;

ssize_t ScriptedWrite(int, const void* bytes, std::size_t size) {
  const int next = script.empty() ? -EIO : script.front();
  if (!script.empty()) script.erase(script.begin());
  if (next < 0) {
    errno = -next;
    return -1;
  }
  const std::size_t taken = std::min(size, static_cast<std::size_t>(next));
  received.append(static_cast<const char*>(bytes), taken);
  return static_cast<ssize_t>(taken);
}

}  // namespace

class SafeWriteTest : public QObject {
  Q_OBJECT
 private slots:
  void writeLoop_data();
  void writeLoop();
  void replace_data();
  void replace();
};

void SafeWriteTest::writeLoop_data() {
  QTest::addColumn<std::vector<int>>("calls");
  QTest::addColumn<int>("error");
  QTest::addColumn<int>("taken");
  QTest::newRow("short writes go on to the end") << std::vector<int>{3, 1, 50} << 0 << 11;
  QTest::newRow("an interrupted write is tried again") << std::vector<int>{-EINTR, 50} << 0 << 11;
  QTest::newRow("a write taking nothing is a full disk")
      << std::vector<int>{4, 0, 50} << ENOSPC << 4;
  QTest::newRow("the kernel's error is kept") << std::vector<int>{2, -EIO} << EIO << 2;
}

void SafeWriteTest::writeLoop() {
  QFETCH(std::vector<int>, calls);
  QFETCH(int, error);
  QFETCH(int, taken);
  const std::string bytes = "hello world";
  script = calls;
  received.clear();
  QCOMPARE(SafeWrite::WriteAll(-1, bytes, ScriptedWrite).value(), error);
  QCOMPARE(received, bytes.substr(0, static_cast<std::size_t>(taken)));
}

void SafeWriteTest::replace_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<bool>("linked");
  QTest::addColumn<bool>("inPlace");
  QTest::addColumn<bool>("full");
  QTest::addColumn<int>("nameLength");
  QTest::newRow("the new bytes replace the old") << 0 << false << false << false << 4;
  QTest::newRow("the old file's mode is kept") << 0640 << false << false << false << 4;
  QTest::newRow("a link's target is replaced") << 0 << true << false << false << 4;
  QTest::newRow("a failed write leaves the old file") << 0 << false << false << true << 4;
  QTest::newRow("a name at the longest") << 0 << false << false << false << NAME_MAX;
  QTest::newRow("a failed write in place puts the old back") << 0 << true << true << true << 4;
}

// A full disk is a file size limit just above the old file's.
void SafeWriteTest::replace() {
  QFETCH(int, mode);
  QFETCH(bool, linked);
  QFETCH(bool, inPlace);
  QFETCH(bool, full);
  QFETCH(int, nameLength);
  TempDir dir;
  const std::string old = "old bytes\n", fresh = "new bytes, many more of them\n";
  const std::string file = dir.File(std::string(static_cast<std::size_t>(nameLength), 'f')),
                    link = dir.File("link");
  WriteBytes(file, old);
  if (linked) fs::create_symlink(fs::path(file).filename(), link);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit saved = limit;
  const auto restore = qScopeGuard([&] { setrlimit(RLIMIT_FSIZE, &saved); });
  std::signal(SIGXFSZ, SIG_IGN);
  if (full) {
    limit.rlim_cur = old.size() + 4;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  SafeWrite::ReplaceOptions options;
  if (mode != 0) options.Mode = static_cast<mode_t>(mode);
  options.FollowLinks = linked;
  options.InPlaceWhenNoTemporary = inPlace;
  options.OldBytes = old;
  const std::error_code error = SafeWrite::Replace(linked ? link : file, fresh, options);
  setrlimit(RLIMIT_FSIZE, &saved);
  QCOMPARE(bool(error), full);
  QCOMPARE(ReadBytes(file), full ? old : fresh);
  if (mode != 0) QCOMPARE(static_cast<int>(fs::status(file).permissions()), mode);
  QCOMPARE(fs::is_symlink(link), linked);
  QCOMPARE(FolderEntries(dir.Path()).size(), linked ? 2 : 1);
}

QTEST_GUILESS_MAIN(SafeWriteTest)
#include "SafeWriteTest.moc"

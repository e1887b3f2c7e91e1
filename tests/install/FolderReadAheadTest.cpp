#include <QtTest>

#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "install/FolderReadAhead.h"
#include "install/FontNameReader.h"

namespace {

// Names "0", "1", ... so that a name tells the reader its file's place in the list.
std::vector<std::string> NumberedNames(std::size_t count) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) names.push_back(std::to_string(i));
  return names;
}

// What the workers have read, none of it found cached.
struct ReadLog {
  std::mutex mutex;
  std::set<std::size_t> read;

  std::size_t Count() {
    const std::lock_guard lock(mutex);
    return read.size();
  }
};

}  // namespace

class FolderReadAheadTest : public QObject {
  Q_OBJECT

 private slots:
  // The workers read the window past the loop's position and no further, skip the files a loop
  // that jumps has passed, and a loop that stops long before the end leaves the rest unread.
  void ReadsOnlyTheWindowAheadOfTheLoop() {
    constexpr std::size_t kWindow = FolderReadAhead::kWindow;
    ReadLog log;
    {
      FolderReadAhead readAhead("/nonexistent", NumberedNames(1000),
                                [&log](const std::string&, const std::string& name) {
                                  const std::lock_guard lock(log.mutex);
                                  log.read.insert(std::stoul(name));
                                  return false;
                                });
      readAhead.Reached(0);
      QTRY_COMPARE(log.Count(), kWindow);
      readAhead.Reached(500);
      QTRY_COMPARE(log.Count(), 2 * kWindow);
    }
    std::set<std::size_t> expected;
    for (std::size_t i = 1; i <= kWindow; ++i) expected.insert(i);
    for (std::size_t i = 501; i <= 500 + kWindow; ++i) expected.insert(i);
    QCOMPARE(log.read, expected);
  }

  // Reading ahead changes nothing in what the loop reads, face for face and in order.
  void LoopReadsTheSameFaces() {
    const std::string folder = GLYPHERA_TEST_FONT_DIR;
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(folder))
      names.push_back(item.path().filename().string());
    const auto describe = [&folder](const std::string& name, QStringList& faces) {
      for (const FontFace& face : ReadFontFaces(folder, name))
        faces << QString::fromStdString(name + "|" + face.Entry->FamilyName + "|" + face.FullName +
                                        "|" + std::to_string(face.Entry->FaceIndex));
    };
    QStringList alone;
    for (const std::string& name : names) describe(name, alone);
    QStringList ahead;
    FolderReadAhead readAhead(folder, names);
    for (std::size_t i = 0; i < names.size(); ++i) {
      readAhead.Reached(i);
      describe(names[i], ahead);
    }
    QVERIFY(alone.size() >= 10);
    QCOMPARE(ahead, alone);
  }
};

QTEST_GUILESS_MAIN(FolderReadAheadTest)
#include "FolderReadAheadTest.moc"

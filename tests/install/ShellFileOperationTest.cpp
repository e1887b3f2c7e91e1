#include <sys/mount.h>
#include <unistd.h>

#include <QtTest>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include "fixtures/FileBytes.h"

#include "fakes/FakeMessageBoxes.h"
#include "fakes/FakeShell.h"
#include "fixtures/TempDir.h"
#include "install/ShellFileOperation.h"
#include "platform/files/FileSystemShell.h"

namespace fs = std::filesystem;
using namespace ShellOp;

namespace {

std::vector<std::string> Paths(const QStringList& names,
                               const std::function<std::string(const QString&)>& full) {
  std::vector<std::string> paths;
  for (const QString& name : names) paths.push_back(full(name));
  return paths;
}

}  // namespace

class ShellFileOperationTest : public QObject {
  Q_OBJECT
 private slots:
  void listsAndFlagsAsTheShellGetsThem_data();
  void listsAndFlagsAsTheShellGetsThem();
  void refusedWithoutCallingTheShell_data();
  void refusedWithoutCallingTheShell();
  void resultNeedsSuccessAndNothingAborted_data();
  void resultNeedsSuccessAndNothingAborted();

  void copyGoesWhereTheDestinationSays_data();
  void copyGoesWhereTheDestinationSays();
  void existingTargetNeedsNoConfirmationFlag_data();
  void existingTargetNeedsNoConfirmationFlag();
  void fileCopiedOntoItselfStaysIntact();
  void missingSourceIsReportedInItsOwnBox_data();
  void missingSourceIsReportedInItsOwnBox();
  void fullDiskIsNamedAndLeavesNoPartialFile_data();
  void fullDiskIsNamedAndLeavesNoPartialFile();
};

void ShellFileOperationTest::listsAndFlagsAsTheShellGetsThem_data() {
  QTest::addColumn<QStringList>("sources");
  QTest::addColumn<QStringList>("destinations");
  QTest::addColumn<uint>("flags");
  QTest::addColumn<QStringList>("from");
  QTest::addColumn<QStringList>("to");
  QTest::addColumn<uint>("passedFlags");
  QTest::newRow("two paths") << QStringList{"a", "b"} << QStringList{"c"} << 0x14u
                             << QStringList{"a", "b"} << QStringList{"c"} << 0x14u;
  QTest::newRow("one path with its comma")
      << QStringList{"/p/a,b.ttf"} << QStringList{"/f/a,b.ttf"} << 0x14u
      << QStringList{"/p/a,b.ttf"} << QStringList{"/f/a,b.ttf"} << 0x14u;
  QTest::newRow("empty destination")
      << QStringList{"a"} << QStringList{} << 0x4u << QStringList{"a"} << QStringList{} << 0x4u;
}

void ShellFileOperationTest::listsAndFlagsAsTheShellGetsThem() {
  QFETCH(QStringList, sources);
  QFETCH(QStringList, destinations);
  QFETCH(uint, flags);
  QFETCH(QStringList, from);
  QFETCH(QStringList, to);
  QFETCH(uint, passedFlags);
  const auto same = [](const QString& path) { return path.toStdString(); };
  FakeShell shell;
  QVERIFY(
      ShellFileOperation(shell, Paths(sources, same), Paths(destinations, same), FO_COPY, flags));
  QCOMPARE(shell.requests.size(), std::size_t{1});
  const ShellRequest& request = shell.requests.front();
  QCOMPARE(request.Operation, FO_COPY);
  QCOMPARE(request.From, Paths(from, same));
  QCOMPARE(request.To, Paths(to, same));
  QCOMPARE(request.Flags, passedFlags);
}

void ShellFileOperationTest::refusedWithoutCallingTheShell_data() {
  QTest::addColumn<QStringList>("sources");
  QTest::newRow("empty source") << QStringList{};
}

void ShellFileOperationTest::refusedWithoutCallingTheShell() {
  QFETCH(QStringList, sources);
  FakeShell shell;
  const auto same = [](const QString& path) { return path.toStdString(); };
  QVERIFY(!ShellFileOperation(shell, Paths(sources, same), {"b"}, FO_COPY, 0x14));
  QVERIFY(shell.requests.empty());
}

void ShellFileOperationTest::resultNeedsSuccessAndNothingAborted_data() {
  QTest::addColumn<bool>("succeed");
  QTest::addColumn<bool>("aborted");
  QTest::addColumn<bool>("result");
  QTest::newRow("done") << true << false << true;
  QTest::newRow("partly aborted") << true << true << false;
  QTest::newRow("failed") << false << false << false;
  QTest::newRow("failed and aborted") << false << true << false;
}

void ShellFileOperationTest::resultNeedsSuccessAndNothingAborted() {
  QFETCH(bool, succeed);
  QFETCH(bool, aborted);
  QFETCH(bool, result);
  FakeShell shell;
  shell.succeed = succeed;
  shell.abortSome = aborted;
  QCOMPARE(ShellFileOperation(shell, {"a"}, {"b"}, FO_COPY, 0), result);
  QCOMPARE(shell.requests.back().Operation, FO_COPY);
}

void ShellFileOperationTest::copyGoesWhereTheDestinationSays_data() {
  QTest::addColumn<QStringList>("sources");
  QTest::addColumn<QStringList>("destinations");
  QTest::addColumn<QStringList>("targets");
  QTest::newRow("into a missing folder")
      << QStringList{"src/a.ttf"} << QStringList{"new/fonts/"} << QStringList{"new/fonts/a.ttf"};
  // The folder holds a part file a killed copy left, and one of a copy still running.
  QTest::newRow("into an existing folder")
      << QStringList{"src/a.ttf"} << QStringList{"src2"} << QStringList{"src2/a.ttf"};
  QTest::newRow("to a name in a missing folder")
      << QStringList{"src/a.ttf"} << QStringList{"deep/er/b.ttf"} << QStringList{"deep/er/b.ttf"};
  QTest::newRow("many into one missing folder")
      << QStringList{"src/a.ttf", "src/b.ttf"} << QStringList{"many"}
      << QStringList{"many/a.ttf", "many/b.ttf"};
  QTest::newRow("each to its own name")
      << QStringList{"src/a.ttf", "src/b.ttf"} << QStringList{"x/one.ttf", "y/two.ttf"}
      << QStringList{"x/one.ttf", "y/two.ttf"};
  const QString longest = QString(251, 'n') + ".ttf";
  QTest::newRow("a name as long as a name can be")
      << QStringList{"src/" + longest} << QStringList{"fonts/"} << QStringList{"fonts/" + longest};
}

void ShellFileOperationTest::copyGoesWhereTheDestinationSays() {
  QFETCH(QStringList, sources);
  QFETCH(QStringList, destinations);
  QFETCH(QStringList, targets);
  TempDir dir;
  fs::create_directory(dir.File("src2"));
  const auto full = [&](const QString& relative) { return dir.File(relative.toStdString()); };
  const auto oldPart = [&](const std::string& name) {
    WriteBytes(dir.File("src2/" + name), "part");
    fs::last_write_time(dir.File("src2/" + name),
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    return dir.File("src2/" + name);
  };
  const std::string orphan = oldPart(".c.ttf." + std::to_string(INT_MAX) + "-0.part");
  const std::string live = oldPart(".d.ttf." + std::to_string(::getpid()) + "-0.part");
  for (const QString& source : sources)
    WriteBytes(full(source), "bytes of " + source.toStdString());
  FakeMessageBoxes messages;
  FileSystemShell shell(messages);
  QVERIFY(ShellFileOperation(shell, Paths(sources, full), Paths(destinations, full), FO_COPY,
                             FOF_SILENT | FOF_NOCONFIRMATION));
  for (qsizetype i = 0; i < sources.size(); ++i) {
    QCOMPARE(ReadBytes(full(targets[i])), "bytes of " + sources[i].toStdString());
    QVERIFY(fs::exists(full(sources[i])));
  }
  QVERIFY(messages.shown.empty());
  QCOMPARE(fs::exists(orphan), destinations != QStringList{"src2"});
  QVERIFY(fs::exists(live));
}

void ShellFileOperationTest::existingTargetNeedsNoConfirmationFlag_data() {
  QTest::addColumn<uint>("flags");
  QTest::addColumn<bool>("result");
  QTest::addColumn<QString>("content");
  QTest::newRow("silent only: kept") << FOF_SILENT << false << "old";
  QTest::newRow("no confirmation: replaced") << (FOF_SILENT | FOF_NOCONFIRMATION) << true << "new";
}

void ShellFileOperationTest::existingTargetNeedsNoConfirmationFlag() {
  QFETCH(uint, flags);
  QFETCH(bool, result);
  QFETCH(QString, content);
  TempDir dir;
  WriteBytes(dir.File("a.ttf"), "new");
  WriteBytes(dir.File("b.ttf"), "new b");
  WriteBytes(dir.File("out/a.ttf"), "old");
  FakeMessageBoxes messages;
  FileSystemShell shell(messages);
  QCOMPARE(ShellFileOperation(shell, {dir.File("a.ttf"), dir.File("b.ttf")}, {dir.File("out")},
                              FO_COPY, flags),
           result);
  QCOMPARE(QString::fromStdString(ReadBytes(dir.File("out/a.ttf"))), content);
  // The other file of the operation is copied all the same, and nobody is told of anything.
  QCOMPARE(ReadBytes(dir.File("out/b.ttf")), std::string("new b"));
  QVERIFY(messages.shown.empty());
}

void ShellFileOperationTest::fileCopiedOntoItselfStaysIntact() {
  TempDir dir;
  WriteBytes(dir.File("a.ttf"), "content");
  FakeMessageBoxes messages;
  FileSystemShell shell(messages);
  QVERIFY(ShellFileOperation(shell, {dir.File("a.ttf")}, {dir.Path() + "/./a.ttf"}, FO_COPY,
                             FOF_SILENT | FOF_NOCONFIRMATION));
  QCOMPARE(ReadBytes(dir.File("a.ttf")), std::string("content"));
}

void ShellFileOperationTest::missingSourceIsReportedInItsOwnBox_data() {
  QTest::addColumn<uint>("flags");
  QTest::addColumn<bool>("box");
  QTest::newRow("copy") << (FOF_SILENT | FOF_NOCONFIRMATION) << true;
  QTest::newRow("copy, no error box wanted") << (FOF_NOCONFIRMATION | FOF_NOERRORUI) << false;
}

void ShellFileOperationTest::missingSourceIsReportedInItsOwnBox() {
  QFETCH(uint, flags);
  QFETCH(bool, box);
  TempDir dir;
  WriteBytes(dir.File("b.ttf"), "b");
  FakeMessageBoxes messages;
  FileSystemShell shell(messages);
  // The missing file stops the operation before the file behind it.
  QVERIFY(!ShellFileOperation(shell, {dir.File("gone.ttf"), dir.File("b.ttf")}, {dir.File("out/")},
                              FO_COPY, flags));
  QVERIFY(fs::exists(dir.File("b.ttf")));
  QVERIFY(!fs::exists(dir.File("out/b.ttf")));
  QCOMPARE(messages.shown.size(), std::size_t{box ? 1u : 0u});
  if (!box) return;
  QCOMPARE(messages.shown[0].Kind, MessageKind::Error);
  QCOMPARE(messages.shown[0].Title, std::string("Error"));
  const QString text = QString::fromStdString(messages.shown[0].Text);
  QVERIFY2(text.contains(QString::fromStdString(dir.File("gone.ttf"))), qPrintable(text));
  QVERIFY2(text.contains("No such file or directory"), qPrintable(text));
}

void ShellFileOperationTest::fullDiskIsNamedAndLeavesNoPartialFile_data() {
  QTest::addColumn<QString>("source");
  QTest::addColumn<QString>("target");
  QTest::addColumn<QStringList>("left");
  QTest::newRow("copy a file") << "a.ttf"
                               << "a.ttf" << QStringList{"old.ttf"};
  QTest::newRow("copy a folder") << "folder"
                                 << "folder" << QStringList{"folder", "old.ttf"};
  QTest::newRow("replace a file") << "a.ttf"
                                  << "old.ttf" << QStringList{"old.ttf"};
}

void ShellFileOperationTest::fullDiskIsNamedAndLeavesNoPartialFile() {
  QFETCH(QString, source);
  QFETCH(QString, target);
  QFETCH(QStringList, left);
  TempDir dir;
  const std::string disk = dir.File("disk");
  fs::create_directory(disk);
  if (::geteuid() != 0 || ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
    QSKIP("Filling a device needs root to mount a 64 KiB tmpfs");
  }
  const auto unmount = qScopeGuard([&] { ::umount2(disk.c_str(), MNT_DETACH); });
  const std::string font = ReadBytes(std::string(GLYPHERA_TEST_FONT_DIR) + "/DejaVuSans.ttf");
  QVERIFY(font.size() > 64 * 1024);
  WriteBytes(dir.File("a.ttf"), font);
  WriteBytes(dir.File("folder/a.ttf"), font);
  WriteBytes(disk + "/old.ttf", "old bytes");
  const std::string to = disk + "/" + target.toStdString();
  FakeMessageBoxes messages;
  FileSystemShell shell(messages);

  QVERIFY(!ShellFileOperation(shell, {dir.File(source.toStdString())}, {to}, FO_COPY,
                              FOF_SILENT | FOF_NOCONFIRMATION));

  QCOMPARE(messages.shown.size(), std::size_t{1});
  const QString text = QString::fromStdString(messages.shown[0].Text);
  QVERIFY2(text.endsWith(":\rNo space left on device."), qPrintable(text));
  QVERIFY2(text.contains(QString::fromStdString(to)), qPrintable(text));
  // No part of the copy is left, and the file that was there keeps its bytes.
  QCOMPARE(FolderEntries(disk), left);
  if (source == "folder") QCOMPARE(FolderEntries(to), QStringList{});
  QCOMPARE(ReadBytes(disk + "/old.ttf"), std::string("old bytes"));
  QCOMPARE(ReadBytes(dir.File(source == "folder" ? "folder/a.ttf" : "a.ttf")), font);
}

QTEST_GUILESS_MAIN(ShellFileOperationTest)
#include "ShellFileOperationTest.moc"

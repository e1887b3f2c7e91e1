#include <sys/mount.h>
#include <unistd.h>

#include <QtTest>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
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

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
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
  void replaceChar_data();
  void replaceChar();

  void copyGoesWhereTheDestinationSays_data();
  void copyGoesWhereTheDestinationSays();
  void existingTargetNeedsNoConfirmationFlag_data();
  void existingTargetNeedsNoConfirmationFlag();
  void fileCopiedOntoItselfStaysIntact();
  void moveRenameAndDelete_data();
  void moveRenameAndDelete();
  void missingSourceIsReportedInItsOwnBox_data();
  void missingSourceIsReportedInItsOwnBox();
  void fullDiskIsNamedAndLeavesNoPartialFile_data();
  void fullDiskIsNamedAndLeavesNoPartialFile();
};

void ShellFileOperationTest::listsAndFlagsAsTheShellGetsThem_data() {
  QTest::addColumn<QString>("source");
  QTest::addColumn<QString>("destination");
  QTest::addColumn<uint>("flags");
  QTest::addColumn<QByteArray>("from");
  QTest::addColumn<QByteArray>("to");
  QTest::addColumn<uint>("passedFlags");
  QTest::newRow("two paths") << "a,b"
                             << "c" << 0x14u << QByteArray("a\0b\0\0", 5) << QByteArray("c\0\0", 3)
                             << 0x14u;
  QTest::newRow("one path with its comma") << "/p/a.ttf,"
                                           << "/f/a.ttf," << 0x14u << QByteArray("/p/a.ttf\0\0", 10)
                                           << QByteArray("/f/a.ttf\0\0", 10) << 0x14u;
  QTest::newRow("empty destination")
      << "a"
      << "" << 0x4u << QByteArray("a\0\0", 3) << QByteArray() << 0x4u;
  QTest::newRow("mapping handle cleared")
      << "a"
      << "b" << 0x434u << QByteArray("a\0\0", 3) << QByteArray("b\0\0", 3) << 0x414u;
  QTest::newRow("only the mapping handle")
      << "a"
      << "b" << 0x20u << QByteArray("a\0\0", 3) << QByteArray("b\0\0", 3) << 0u;
}

void ShellFileOperationTest::listsAndFlagsAsTheShellGetsThem() {
  QFETCH(QString, source);
  QFETCH(QString, destination);
  QFETCH(uint, flags);
  QFETCH(QByteArray, from);
  QFETCH(QByteArray, to);
  QFETCH(uint, passedFlags);
  FakeShell shell;
  QVERIFY(
      ShellFileOperation(shell, source.toStdString(), destination.toStdString(), FO_COPY, flags));
  QCOMPARE(shell.requests.size(), std::size_t{1});
  const ShellRequest& request = shell.requests.front();
  QCOMPARE(request.Operation, FO_COPY);
  QCOMPARE(Bytes(request.From), from);
  QCOMPARE(Bytes(request.To), to);
  QCOMPARE(request.Flags, passedFlags);
}

void ShellFileOperationTest::refusedWithoutCallingTheShell_data() {
  QTest::addColumn<int>("operation");
  QTest::addColumn<QString>("source");
  QTest::newRow("code 0") << 0 << "a";
  QTest::newRow("code 5") << 5 << "a";
  QTest::newRow("negative code") << -2 << "a";
  QTest::newRow("empty source") << FO_COPY << "";
}

void ShellFileOperationTest::refusedWithoutCallingTheShell() {
  QFETCH(int, operation);
  QFETCH(QString, source);
  FakeShell shell;
  QVERIFY(!ShellFileOperation(shell, source.toStdString(), "b", operation, 0x14));
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
  for (int operation = FO_MOVE; operation <= FO_RENAME; ++operation) {
    QCOMPARE(ShellFileOperation(shell, "a", "b", operation, 0), result);
    QCOMPARE(shell.requests.back().Operation, operation);
  }
}

void ShellFileOperationTest::replaceChar_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<char>("from");
  QTest::addColumn<char>("to");
  QTest::addColumn<QByteArray>("result");
  QTest::newRow("every occurrence")
      << QByteArray("a,b,,c") << ',' << '\0' << QByteArray("a\0b\0\0c", 6);
  QTest::newRow("none present") << QByteArray("abc") << ',' << ';' << QByteArray("abc");
  QTest::newRow("empty") << QByteArray() << ',' << ';' << QByteArray();
  QTest::newRow("same characters") << QByteArray("a,b") << ',' << ',' << QByteArray("a,b");
}

void ShellFileOperationTest::replaceChar() {
  QFETCH(QByteArray, text);
  QFETCH(char, from);
  QFETCH(char, to);
  QFETCH(QByteArray, result);
  std::string value = text.toStdString();
  ReplaceChar(value, from, to);
  QCOMPARE(Bytes(value), result);
}

void ShellFileOperationTest::copyGoesWhereTheDestinationSays_data() {
  QTest::addColumn<QStringList>("sources");
  QTest::addColumn<QString>("destination");
  QTest::addColumn<QStringList>("targets");
  QTest::newRow("into a missing folder")
      << QStringList{"src/a.ttf"} << "new/fonts/" << QStringList{"new/fonts/a.ttf"};
  // The folder holds a part file a killed copy left, and one of a copy still running.
  QTest::newRow("into an existing folder")
      << QStringList{"src/a.ttf"} << "src2" << QStringList{"src2/a.ttf"};
  QTest::newRow("to a name in a missing folder")
      << QStringList{"src/a.ttf"} << "deep/er/b.ttf" << QStringList{"deep/er/b.ttf"};
  QTest::newRow("many into one missing folder")
      << QStringList{"src/a.ttf", "src/b.ttf"} << "many" << QStringList{"many/a.ttf", "many/b.ttf"};
  QTest::newRow("each to its own name")
      << QStringList{"src/a.ttf", "src/b.ttf"} << "x/one.ttf,y/two.ttf"
      << QStringList{"x/one.ttf", "y/two.ttf"};
  const QString longest = QString(251, 'n') + ".ttf";
  QTest::newRow("a name as long as a name can be")
      << QStringList{"src/" + longest} << "fonts/" << QStringList{"fonts/" + longest};
}

void ShellFileOperationTest::copyGoesWhereTheDestinationSays() {
  QFETCH(QStringList, sources);
  QFETCH(QString, destination);
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
  std::string from;
  for (const QString& source : sources) {
    WriteBytes(full(source), "bytes of " + source.toStdString());
    from += full(source) + ",";
  }
  std::string to;
  for (const QString& part : destination.split(',')) to += full(part) + ",";
  if (destination.endsWith('/')) to.insert(to.size() - 1, "/");
  FakeMessageBoxes messages;
  FileSystemShell shell(messages);
  QVERIFY(ShellFileOperation(shell, from, to, FO_COPY, FOF_SILENT | FOF_NOCONFIRMATION));
  for (qsizetype i = 0; i < sources.size(); ++i) {
    QCOMPARE(ReadBytes(full(targets[i])), "bytes of " + sources[i].toStdString());
    QVERIFY(fs::exists(full(sources[i])));
  }
  QVERIFY(messages.shown.empty());
  QCOMPARE(fs::exists(orphan), destination != "src2");
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
  QCOMPARE(ShellFileOperation(shell, dir.File("a.ttf") + "," + dir.File("b.ttf"), dir.File("out"),
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
  for (int operation : {FO_COPY, FO_MOVE}) {
    QVERIFY(ShellFileOperation(shell, dir.File("a.ttf"), dir.Path() + "/./a.ttf", operation,
                               FOF_SILENT | FOF_NOCONFIRMATION));
    QCOMPARE(ReadBytes(dir.File("a.ttf")), std::string("content"));
  }
}

void ShellFileOperationTest::moveRenameAndDelete_data() {
  QTest::addColumn<int>("operation");
  QTest::addColumn<QString>("destination");
  QTest::addColumn<QString>("target");
  QTest::newRow("move into a folder") << FO_MOVE << "moved/"
                                      << "moved/a.ttf";
  QTest::newRow("rename") << FO_RENAME << "b.ttf"
                          << "b.ttf";
  QTest::newRow("delete") << FO_DELETE << ""
                          << "";
}

void ShellFileOperationTest::moveRenameAndDelete() {
  QFETCH(int, operation);
  QFETCH(QString, destination);
  QFETCH(QString, target);
  TempDir dir;
  WriteBytes(dir.File("a.ttf"), "content");
  FakeMessageBoxes messages;
  FileSystemShell shell(messages);
  const std::string to = destination.isEmpty() ? "" : dir.File(destination.toStdString());
  QVERIFY(ShellFileOperation(shell, dir.File("a.ttf"), to, operation, FOF_NOCONFIRMATION));
  QVERIFY(!fs::exists(dir.File("a.ttf")));
  if (!target.isEmpty())
    QCOMPARE(ReadBytes(dir.File(target.toStdString())), std::string("content"));
}

void ShellFileOperationTest::missingSourceIsReportedInItsOwnBox_data() {
  QTest::addColumn<int>("operation");
  QTest::addColumn<uint>("flags");
  QTest::addColumn<bool>("box");
  QTest::newRow("copy") << FO_COPY << (FOF_SILENT | FOF_NOCONFIRMATION) << true;
  QTest::newRow("delete") << FO_DELETE << FOF_NOCONFIRMATION << true;
  QTest::newRow("copy, no error box wanted")
      << FO_COPY << (FOF_NOCONFIRMATION | FOF_NOERRORUI) << false;
}

void ShellFileOperationTest::missingSourceIsReportedInItsOwnBox() {
  QFETCH(int, operation);
  QFETCH(uint, flags);
  QFETCH(bool, box);
  TempDir dir;
  WriteBytes(dir.File("b.ttf"), "b");
  FakeMessageBoxes messages;
  FileSystemShell shell(messages);
  // The missing file stops the operation before the file behind it.
  QVERIFY(!ShellFileOperation(shell, dir.File("gone.ttf") + "," + dir.File("b.ttf"),
                              operation == FO_DELETE ? "" : dir.File("out/"), operation, flags));
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
  QTest::addColumn<int>("operation");
  QTest::addColumn<QString>("source");
  QTest::addColumn<QString>("target");
  QTest::addColumn<QStringList>("left");
  QTest::newRow("copy a file") << FO_COPY << "a.ttf"
                               << "a.ttf" << QStringList{"old.ttf"};
  QTest::newRow("move a file to another device") << FO_MOVE << "a.ttf"
                                                 << "a.ttf" << QStringList{"old.ttf"};
  QTest::newRow("copy a folder") << FO_COPY << "folder"
                                 << "folder" << QStringList{"folder", "old.ttf"};
  QTest::newRow("replace a file") << FO_COPY << "a.ttf"
                                  << "old.ttf" << QStringList{"old.ttf"};
}

void ShellFileOperationTest::fullDiskIsNamedAndLeavesNoPartialFile() {
  QFETCH(int, operation);
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

  QVERIFY(!ShellFileOperation(shell, dir.File(source.toStdString()), to, operation,
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

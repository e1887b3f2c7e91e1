#include <unistd.h>

#include <QAccessible>
#include <QProxyStyle>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fixtures/TempDir.h"
#include "platform/PlatformError.h"
#include "platform/files/MountTable.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/DriveComboBox.h"
#include "widgets/FileListBox.h"

namespace fs = std::filesystem;

namespace {

// A folder and the files in it, named by bytes that need not be UTF-8, and what the lists show.
struct ByteNamesRow {
  QByteArray Folder;
  QString ShownFolder;
  QList<QByteArray> Files;  // in the order listed
  QStringList ShownFiles;
};

void WriteFile(const std::string& path, const std::string& content = "x") {
  std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> ToStd(const QStringList& list) {
  std::vector<std::string> result;
  for (const QString& text : list) result.push_back(text.toStdString());
  return result;
}

QStringList Texts(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
  return texts;
}

// "/" and then each folder name of an absolute path, as the folder list shows them.
QStringList FolderNames(const std::string& path) {
  return QStringList{"/"} + QString::fromStdString(path).split(u'/', Qt::SkipEmptyParts);
}

// A folder tree with visible, hidden, linked and cased subfolders:
//   Alpha/Sub/deep, beta, Gamma, .hidden, file.txt, link -> Alpha, broken -> (nothing)
void MakeTree(const TempDir& dir) {
  fs::create_directories(dir.File("Alpha/Sub/deep"));
  fs::create_directory(dir.File("beta"));
  fs::create_directory(dir.File("Gamma"));
  fs::create_directory(dir.File(".hidden"));
  WriteFile(dir.File("file.txt"));
  fs::create_directory_symlink(dir.File("Alpha"), dir.File("link"));
  fs::create_directory_symlink(dir.File("gone"), dir.File("broken"));
}

// Font-like files whose names differ in case, a link, a folder and a hidden file that look like
// font files, and names that only nearly match.
void MakeFiles(const TempDir& dir) {
  for (const char* name : {"x.ttf", "Y.TTF", "z.TtF", "B.ttf", "a.otf", "ttf", "bttf", ".h.ttf",
                           "\xC3\x84"
                           "b.ttf"}) {
    WriteFile(dir.File(name));
  }
  fs::create_directory(dir.File("d.ttf"));
  fs::create_symlink(dir.File("x.ttf"), dir.File("link.ttf"));
  fs::create_symlink(dir.File("missing.ttf"), dir.File("broken.ttf"));
}

// The folder of a test row: "" for the temporary folder, ".." for its parent, else a name in it.
std::string RowFolder(const TempDir& dir, const QString& relative) {
  if (relative.isEmpty()) return dir.Path();
  if (relative == "..") return fs::path(dir.Path()).parent_path().string();
  return dir.File(relative.toStdString());
}

// A style like those of some desktops, where a single click on an item activates it.
class SingleClickStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_ItemView_ActivateItemOnSingleClick) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

bool RunningAsRoot() {
  return geteuid() == 0;
}

}  // namespace

Q_DECLARE_METATYPE(ByteNamesRow)

class FileControlsTest : public QObject {
  Q_OBJECT
 private slots:
  void localMounts_data();
  void localMounts();
  void mountOf_data();
  void mountOf();
  void driveBoxOnlyUserChoicesRunOnChange();
  void directoryRows_data();
  void directoryRows();
  void directoryAtRoot();
  void directoryErrorsKeepState_data();
  void directoryErrorsKeepState();
  void directoryActivation_data();
  void directoryActivation();
  void directoryOpenErrorGoesToOnError();
  void directoryRowsSpeakFolderNames();
  void fileMask_data();
  void fileMask();
  void fileUnreadableFolderIsEmpty_data();
  void fileUnreadableFolderIsEmpty();
  void fileNameOutOfRange_data();
  void fileNameOutOfRange();
  void namesKeepTheirBytes_data();
  void namesKeepTheirBytes();
};

void FileControlsTest::localMounts_data() {
  QTest::addColumn<QString>("table");
  QTest::addColumn<bool>("written");
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("octal escapes") << QString(
                                        "/dev/sda1 / ext4 rw 0 0\n"
                                        "/dev/sdb1 /media/My\\040Disk ext4 rw 0 0\n"
                                        "/dev/sdb2 /media/tab\\011and\\134slash vfat rw 0 0\n")
                                 << true
                                 << QStringList{"/", "/media/My Disk", "/media/tab\tand\\slash"};
  QTest::newRow("pseudo, network and package file systems left out")
      << QString(
             "/dev/sda1 / ext4 rw 0 0\n"
             "proc /proc proc rw 0 0\n"
             "sysfs /sys sysfs rw 0 0\n"
             "udev /dev devtmpfs rw 0 0\n"
             "devpts /dev/pts devpts rw 0 0\n"
             "tmpfs /run tmpfs rw 0 0\n"
             "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
             "cgroup /sys/fs/cgroup/cpu cgroup rw 0 0\n"
             "securityfs /sys/kernel/security securityfs rw 0 0\n"
             "debugfs /sys/kernel/debug debugfs rw 0 0\n"
             "mqueue /dev/mqueue mqueue rw 0 0\n"
             "hugetlbfs /dev/hugepages hugetlbfs rw 0 0\n"
             "systemd-1 /proc/sys/fs/binfmt_misc autofs rw 0 0\n"
             "server:/srv /mnt/nfs nfs4 rw 0 0\n"
             "//server/share /mnt/smb cifs rw 0 0\n"
             "me@host:/ /mnt/ssh fuse.sshfs rw 0 0\n"
             "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
             "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
             "overlay /var/lib/docker/overlay2/x/merged overlay rw 0 0\n"
             "/dev/sda2 /home ext4 rw 0 0\n"
             "/dev/sdc1 /media/windows fuseblk rw 0 0\n"
             "/dev/sr0 /media/cdrom iso9660 ro 0 0\n")
      << true << QStringList{"/", "/home", "/media/cdrom", "/media/windows"};
  QTest::newRow("root first, rest in byte order")
      << QString(
             "/dev/sdc1 /boot vfat rw 0 0\n"
             "/dev/sdd1 /srv/Data xfs rw 0 0\n"
             "/dev/sda1 / ext4 rw 0 0\n"
             "/dev/sde1 /srv/a btrfs rw 0 0\n")
      << true << QStringList{"/", "/boot", "/srv/Data", "/srv/a"};
  QTest::newRow("duplicates once") << QString(
                                          "/dev/sda1 / ext4 rw 0 0\n"
                                          "/dev/sdb1 /data ext4 rw 0 0\n"
                                          "/dev/sda1 / ext4 rw 0 0\n"
                                          "/dev/sdb1 /data ext4 rw 0 0\n")
                                   << true << QStringList{"/", "/data"};
  QTest::newRow("overlay root still listed")
      << QString(
             "overlay / overlay rw,lowerdir=/l,upperdir=/u,workdir=/w 0 0\n"
             "/dev/vdb /data ext4 rw 0 0\n")
      << true << QStringList{"/", "/data"};
  QTest::newRow("malformed lines skipped")
      << QString("garbage\n\n/dev/sda1 /ok ext4 rw 0 0\n") << true << QStringList{"/", "/ok"};
  QTest::newRow("empty table") << QString() << true << QStringList{"/"};
  QTest::newRow("unreadable table") << QString() << false << QStringList{"/"};
}

void FileControlsTest::localMounts() {
  QFETCH(QString, table);
  QFETCH(bool, written);
  QFETCH(QStringList, expected);
  TempDir dir;
  const std::string path = dir.File("mounts");
  if (written) WriteFile(path, table.toStdString());
  QCOMPARE(MountTable::LocalMounts(path), ToStd(expected));
}

void FileControlsTest::mountOf_data() {
  QTest::addColumn<QStringList>("mounts");
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("expected");
  const QStringList mounts{"/", "/home", "/media/usb", "/media/usb2"};
  QTest::newRow("deeper of two") << mounts << "/media/usb2/fonts/a.ttf"
                                 << "/media/usb2";
  QTest::newRow("not on a name prefix") << mounts << "/media/usbx/a.ttf"
                                        << "/";
  QTest::newRow("shorter of two") << mounts << "/media/usb/a.ttf"
                                  << "/media/usb";
  QTest::newRow("the mount point itself") << mounts << "/media/usb"
                                          << "/media/usb";
  QTest::newRow("trailing slash") << mounts << "/home/"
                                  << "/home";
  QTest::newRow("root") << mounts << "/"
                        << "/";
  QTest::newRow("hidden folder") << mounts << "/home/u/.fonts"
                                 << "/home";
  QTest::newRow("no root among the mounts") << QStringList{"/home"} << "/etc/fonts"
                                            << "";
}

void FileControlsTest::mountOf() {
  QFETCH(QStringList, mounts);
  QFETCH(QString, path);
  QFETCH(QString, expected);
  QCOMPARE(QString::fromStdString(MountTable::MountOf(path.toStdString(), ToStd(mounts))),
           expected);
}

void FileControlsTest::driveBoxOnlyUserChoicesRunOnChange() {
  DriveComboBox box;
  int changes = 0;
  box.OnChange = [&] { ++changes; };
  const std::vector<std::string> mounts = MountTable::LocalMounts();
  QCOMPARE(box.count(), static_cast<int>(mounts.size()));
  QCOMPARE(box.itemText(0), QStringLiteral("/"));
  QCOMPARE(box.Drive(), std::string("/"));

  // A mount point the list lacks is added in its place, once, and chosen quietly.
  box.SetDrive("/zz-glyphera-test/");
  QCOMPARE(box.Drive(), std::string("/zz-glyphera-test"));
  box.SetDrive("/zz-glyphera-test");
  QCOMPARE(box.count(), static_cast<int>(mounts.size()) + 1);
  QStringList texts;
  for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
  QVERIFY(std::is_sorted(texts.begin(), texts.end()));
  box.SetDrive("/");
  QCOMPARE(changes, 0);

  box.show();
  QVERIFY(QTest::qWaitForWindowExposed(&box));
  box.setFocus();
  QTest::keyClick(&box, Qt::Key_Down);
  QCOMPARE(box.Drive(), box.itemText(1).toStdString());
  QCOMPARE(changes, 1);

  // Choosing the entry that is already current is no change.
  emit box.activated(box.currentIndex());
  QCOMPARE(changes, 1);
  box.setCurrentIndex(0);
  emit box.activated(0);
  QCOMPARE(box.Drive(), std::string("/"));
  QCOMPARE(changes, 2);
}

void FileControlsTest::directoryRows_data() {
  QTest::addColumn<QString>("dir");
  QTest::addColumn<QString>("current");
  QTest::addColumn<QStringList>("children");
  QTest::newRow("visible subfolders without regard to case")
      << ""
      << "" << QStringList{"Alpha", "beta", "Gamma", "link"};
  QTest::newRow("nested") << "Alpha/Sub"
                          << "Alpha/Sub" << QStringList{"deep"};
  QTest::newRow("dot dot resolved") << "Alpha/../beta"
                                    << "beta" << QStringList{};
  QTest::newRow("dot and trailing slash") << "./Gamma/./"
                                          << "Gamma" << QStringList{};
  QTest::newRow("through a link") << "link"
                                  << "link" << QStringList{"Sub"};
}

void FileControlsTest::directoryRows() {
  QFETCH(QString, dir);
  QFETCH(QString, current);
  QFETCH(QStringList, children);
  TempDir temp;
  MakeTree(temp);
  DirectoryListBox list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };

  list.SetDirectory(dir.isEmpty() ? temp.Path() : temp.Path() + "/" + dir.toStdString());

  const std::string expected = RowFolder(temp, current);
  QCOMPARE(list.Directory(), expected);
  QCOMPARE(changes, 1);
  const QStringList ancestors = FolderNames(expected);
  QCOMPARE(Texts(list), ancestors + children);
  QCOMPARE(list.currentRow(), ancestors.size() - 1);
  QCOMPARE(list.ItemPath(list.currentRow()), expected);
  QCOMPARE(list.ItemPath(0), std::string("/"));
  for (int i = 0; i < children.size(); ++i) {
    QCOMPARE(list.ItemPath(ancestors.size() + i), expected + "/" + children[i].toStdString());
  }
}

void FileControlsTest::directoryAtRoot() {
  DirectoryListBox list;
  list.SetDirectory("/..");
  QCOMPARE(list.Directory(), std::string("/"));
  QCOMPARE(list.currentRow(), 0);
  QCOMPARE(list.item(0)->text(), QStringLiteral("/"));
  for (int row = 1; row < list.count(); ++row) {
    QVERIFY(!list.item(row)->text().startsWith(u'.'));
    QCOMPARE(list.ItemPath(row), "/" + list.item(row)->text().toStdString());
  }
}

void FileControlsTest::directoryErrorsKeepState_data() {
  QTest::addColumn<QString>("dir");
  QTest::addColumn<QString>("shown");
  QTest::newRow("missing") << "nope"
                           << "nope";
  QTest::newRow("missing after dot dot") << "Alpha/../nope"
                                         << "nope";
  QTest::newRow("a file") << "file.txt"
                          << "file.txt";
  QTest::newRow("a broken link") << "broken"
                                 << "broken";
  QTest::newRow("permission denied") << "locked"
                                     << "locked";
}

void FileControlsTest::directoryErrorsKeepState() {
  QFETCH(QString, dir);
  QFETCH(QString, shown);
  TempDir temp;
  MakeTree(temp);
  if (dir == "locked") {
    if (RunningAsRoot()) QSKIP("the superuser may read any folder");
    fs::create_directory(temp.File("locked"));
    fs::permissions(temp.File("locked"), fs::perms::none);
  }
  DirectoryListBox list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  list.SetDirectory(temp.File("Alpha"));
  const QStringList before = Texts(list);

  QString message;
  try {
    list.SetDirectory(temp.File(dir.toStdString()));
  } catch (const PlatformError& error) {
    message = QString::fromStdString(error.what());
  }
  QCOMPARE(message,
           QString::fromStdString("Cannot read the folder " + temp.File(shown.toStdString())));
  QCOMPARE(list.Directory(), temp.File("Alpha"));
  QCOMPARE(Texts(list), before);
  QCOMPARE(changes, 1);
}

void FileControlsTest::directoryActivation_data() {
  QTest::addColumn<bool>("opensOnClick");
  QTest::addColumn<QString>("action");
  QTest::addColumn<QString>("target");
  QTest::addColumn<QString>("opened");
  QTest::addColumn<int>("changes");
  for (const bool opensOnClick : {false, true}) {
    const char* style = opensOnClick ? " (single-click style)" : "";
    QTest::addRow("double click on a subfolder%s", style) << opensOnClick << "double click"
                                                          << "Alpha"
                                                          << "Alpha" << 1;
    QTest::addRow("double click on the parent%s", style) << opensOnClick << "double click"
                                                         << ".."
                                                         << ".." << 1;
    QTest::addRow("enter on a subfolder%s", style) << opensOnClick << "enter"
                                                   << "Gamma"
                                                   << "Gamma" << 1;
    QTest::addRow("enter on a linked folder%s", style) << opensOnClick << "enter"
                                                       << "link"
                                                       << "link" << 1;
    QTest::addRow("single click only selects%s", style) << opensOnClick << "click"
                                                        << "beta"
                                                        << "" << 0;
  }
}

void FileControlsTest::directoryActivation() {
  QFETCH(bool, opensOnClick);
  QFETCH(QString, action);
  QFETCH(QString, target);
  QFETCH(QString, opened);
  QFETCH(int, changes);
  TempDir temp;
  MakeTree(temp);
  SingleClickStyle singleClick;
  DirectoryListBox list;
  if (opensOnClick) list.setStyle(&singleClick);
  list.resize(400, 600);
  list.SetDirectory(temp.Path());
  int changed = 0;
  list.OnChange = [&] { ++changed; };
  list.show();
  QVERIFY(QTest::qWaitForWindowExposed(&list));

  QListWidgetItem* item = target == ".." ? list.item(list.currentRow() - 1)
                                         : list.findItems(target, Qt::MatchExactly).value(0);
  QVERIFY(item != nullptr);
  // Through the window, as the windowing system delivers them: press, release, press, release,
  // from which Qt makes the double click.
  const QPoint centre = list.viewport()->mapTo(&list, list.visualItemRect(item).center());
  if (action == "double click") {
    QTest::mouseDClick(list.windowHandle(), Qt::LeftButton, {}, centre);
  } else if (action == "click") {
    QTest::mouseClick(list.windowHandle(), Qt::LeftButton, {}, centre);
    QCOMPARE(list.currentItem(), item);
  } else {
    list.setCurrentItem(item);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Return);
  }
  QCOMPARE(list.Directory(), RowFolder(temp, opened));
  QCOMPARE(changed, changes);
  if (changes > 0) QCOMPARE(list.currentItem()->text(), FolderNames(list.Directory()).last());
}

void FileControlsTest::directoryOpenErrorGoesToOnError() {
  TempDir temp;
  MakeTree(temp);
  fs::create_directory(temp.File("Doomed"));
  DirectoryListBox list;
  list.SetDirectory(temp.Path());
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  fs::remove(temp.File("Doomed"));
  QListWidgetItem* doomed = list.findItems("Doomed", Qt::MatchExactly).value(0);
  QVERIFY(doomed != nullptr);

  // Without a handler the failure is dropped; the list stays as it was.
  list.setCurrentItem(doomed);
  QTest::keyClick(&list, Qt::Key_Return);
  QCOMPARE(list.Directory(), temp.Path());

  std::vector<std::string> errors;
  list.OnError = [&](const std::string& message) { errors.push_back(message); };
  QTest::keyClick(&list, Qt::Key_Return);
  QCOMPARE(errors, std::vector<std::string>{"Cannot read the folder " + temp.File("Doomed")});
  QCOMPARE(list.Directory(), temp.Path());
  QCOMPARE(changes, 0);
}

void FileControlsTest::directoryRowsSpeakFolderNames() {
  TempDir temp;
  MakeTree(temp);
  DirectoryListBox list;
  list.SetDirectory(temp.File("Alpha"));
  list.show();
  QVERIFY(QTest::qWaitForWindowExposed(&list));
  QAccessibleInterface* info = QAccessible::queryAccessibleInterface(&list);
  QVERIFY(info != nullptr);
  QStringList names;
  for (int i = 0; i < info->childCount(); ++i) names << info->child(i)->text(QAccessible::Name);
  // Each row is heard by its bare name, indentation and all.
  for (const QString& name : QStringList{"/", "Alpha", "Sub"})
    QVERIFY2(names.contains(name), qPrintable(names.join(u'|')));
}

void FileControlsTest::fileMask_data() {
  QTest::addColumn<QString>("mask");
  QTest::addColumn<bool>("maskFirst");
  QTest::addColumn<QStringList>("expected");
  const QString aUmlaut = QString::fromUtf8(
      "\xC3\x84"
      "b.ttf");
  const QStringList fonts{"B.ttf", "link.ttf", "x.ttf", "Y.TTF", "z.TtF", aUmlaut};
  QTest::newRow("lower-case mask") << "*.ttf" << true << fonts;
  QTest::newRow("upper-case mask set after the folder") << "*.TTF" << false << fonts;
  QTest::newRow("question mark") << "?.ttf" << true
                                 << QStringList{"B.ttf", "x.ttf", "Y.TTF", "z.TtF"};
  QTest::newRow("everything") << "*" << true
                              << QStringList{"a.otf", "B.ttf", "bttf",  "link.ttf", "ttf",
                                             "x.ttf", "Y.TTF", "z.TtF", aUmlaut};
  QTest::newRow("empty mask is everything")
      << "" << false << QStringList{"a.otf", "B.ttf", "bttf",  "link.ttf", "ttf",
                                    "x.ttf", "Y.TTF", "z.TtF", aUmlaut};
  QTest::newRow("two masks") << "*.otf; *.ttf" << true
                             << QStringList{"a.otf", "B.ttf", "link.ttf", "x.ttf",
                                            "Y.TTF", "z.TtF", aUmlaut};
  QTest::newRow("suffix without dot")
      << "*ttf" << true
      << QStringList{"B.ttf", "bttf", "link.ttf", "ttf", "x.ttf", "Y.TTF", "z.TtF", aUmlaut};
  QTest::newRow("star in the middle") << "b*f" << true << QStringList{"B.ttf", "bttf"};
  QTest::newRow("case beyond ascii")
      << QString::fromUtf8("\xC3\xA4*") << true << QStringList{aUmlaut};
  QTest::newRow("no match") << "*.pfb" << true << QStringList{};
}

void FileControlsTest::fileMask() {
  QFETCH(QString, mask);
  QFETCH(bool, maskFirst);
  QFETCH(QStringList, expected);
  TempDir temp;
  MakeFiles(temp);
  FileListBox list;
  if (maskFirst) {
    list.SetMask(mask.toStdString());
    list.SetDirectory(temp.Path() + "/");
  } else {
    list.SetDirectory(temp.Path() + "/");
    list.SetMask(mask.toStdString());
  }
  QCOMPARE(list.Directory(), temp.Path());
  QStringList names;
  for (int i = 0; i < list.Count(); ++i) names << QString::fromStdString(list.FileName(i));
  QCOMPARE(names, expected);
}

void FileControlsTest::fileUnreadableFolderIsEmpty_data() {
  QTest::addColumn<QString>("dir");
  QTest::newRow("missing") << "nope";
  QTest::newRow("a file") << "x.ttf";
  QTest::newRow("permission denied") << "locked";
}

void FileControlsTest::fileUnreadableFolderIsEmpty() {
  QFETCH(QString, dir);
  TempDir temp;
  MakeFiles(temp);
  if (dir == "locked") {
    if (RunningAsRoot()) QSKIP("the superuser may read any folder");
    fs::create_directory(temp.File("locked"));
    WriteFile(temp.File("locked/a.ttf"));
    fs::permissions(temp.File("locked"), fs::perms::none);
  }
  FileListBox list;
  list.SetMask("*.ttf");
  list.SetDirectory(temp.Path());
  QVERIFY(list.Count() > 0);
  list.SetDirectory(temp.File(dir.toStdString()));
  if (dir == "locked") fs::permissions(temp.File("locked"), fs::perms::owner_all);
  QCOMPARE(list.Count(), 0);
  QCOMPARE(list.Directory(), temp.File(dir.toStdString()));
}

void FileControlsTest::fileNameOutOfRange_data() {
  QTest::addColumn<int>("index");
  QTest::newRow("minus one") << -1;
  QTest::newRow("one past the end") << 3;
  QTest::newRow("far past the end") << 1000;
}

void FileControlsTest::fileNameOutOfRange() {
  QFETCH(int, index);
  TempDir temp;
  for (const char* name : {"a.ttf", "b.ttf", "c.ttf"}) WriteFile(temp.File(name));
  FileListBox list;
  list.SetMask("*.ttf");
  list.SetDirectory(temp.Path());
  QCOMPARE(list.Count(), 3);
  QString message;
  try {
    list.FileName(index);
  } catch (const PlatformError& error) {
    message = QString::fromStdString(error.what());
  }
  QCOMPARE(message, QStringLiteral("List index out of bounds (%1)").arg(index));
}

void FileControlsTest::namesKeepTheirBytes_data() {
  QTest::addColumn<ByteNamesRow>("row");
  const QString bad(QChar::ReplacementCharacter);
  QTest::newRow("Latin-1") << ByteNamesRow{
      "d\xE9j\xE0", "d" + bad + "j" + bad, {"caf\xE9.ttf"}, {"caf" + bad + ".ttf"}};
  QTest::newRow("names shown alike kept apart")
      << ByteNamesRow{"x\x80",
                      "x" + bad,
                      {"caf\xE8.ttf", "caf\xE9.ttf"},
                      {"caf" + bad + ".ttf", "caf" + bad + ".ttf"}};
  QTest::newRow("cut-off sequence") << ByteNamesRow{
      "ab\xC3", "ab" + bad, {"\xC3\xA4\xC3.TTF"}, {QString::fromUtf8("\xC3\xA4") + bad + ".TTF"}};
}

void FileControlsTest::namesKeepTheirBytes() {
  QFETCH(ByteNamesRow, row);
  TempDir temp;
  const std::string folder = temp.File(row.Folder.toStdString());
  fs::create_directory(folder);
  for (const QByteArray& name : row.Files) WriteFile(folder + "/" + name.toStdString());
  DirectoryListBox dirs;
  dirs.SetDirectory(temp.Path());
  dirs.setCurrentRow(dirs.count() - 1);
  QCOMPARE(dirs.ItemPath(dirs.currentRow()), folder);
  QTest::keyClick(&dirs, Qt::Key_Return);
  QCOMPARE(dirs.Directory(), folder);
  QCOMPARE(dirs.currentItem()->text(), row.ShownFolder);

  FileListBox files;
  files.SetMask("*.ttf");
  files.SetDirectory(dirs.Directory());
  QCOMPARE(Texts(files), row.ShownFiles);
  for (int i = 0; i < files.Count(); ++i) QCOMPARE(files.FileName(i), row.Files[i].toStdString());
}

QTEST_MAIN(FileControlsTest)
#include "FileControlsTest.moc"

#include <QtTest>

#include "fixtures/FileBytes.h"
#include "fixtures/FileStamps.h"

#include <signal.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/FakeProfileStrings.h"
#include "fixtures/ProcessIds.h"
#include "fixtures/TempDir.h"
#include "platform/storage/ProfileStrings.h"

namespace fs = std::filesystem;

namespace {

// A literal's bytes, NULs included.
template <std::size_t N>
QByteArray Bytes(const char (&text)[N]) {
  return QByteArray(text, static_cast<qsizetype>(N - 1));
}

QByteArray Repeat(char c, int count) {
  return QByteArray(count, c);
}

// The file's bytes, "<missing>", or "<not a file>" (a named pipe must not be opened here: that
// would wait for a writer).
QByteArray StoredBytes(const std::string& path) {
  std::error_code error;
  if (fs::exists(path, error) && !fs::is_regular_file(path, error)) return "<not a file>";
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return QByteArray::fromStdString(bytes.str());
}

void WriteQBytes(const std::string& path, const QByteArray& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.constData(), bytes.size());
}

unsigned PermissionBits(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return 0xFFFFFFFF;
  return info.st_mode & 07777;
}

// A missing file is marked by this content in the table rows.
const QByteArray kNoFile = "<no file>";

// The files renamed onto `name` in `folder` while `action` runs: each is one replace of the file.
template <typename Action>
int RenamesOnto(const std::string& folder, const std::string& name, Action action) {
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0 || inotify_add_watch(fd, folder.c_str(), IN_MOVED_TO) < 0) return -1;
  action();
  int renames = 0;
  alignas(inotify_event) char buffer[4096];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
    for (const char* p = buffer; p < buffer + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(p);
      if (event->len > 0 && name == event->name) ++renames;
      p += sizeof(inotify_event) + event->len;
    }
  }
  close(fd);
  return renames;
}

// All the bytes this process has read from files so far; nothing when the kernel does not say.
std::optional<quint64> BytesReadSoFar() {
  std::ifstream io("/proc/self/io");
  std::string field;
  quint64 count = 0;
  while (io >> field >> count) {
    if (field == "rchar:") return count;
  }
  return std::nullopt;
}

constexpr int kOk = static_cast<int>(ProfileStatus::Ok);
constexpr int kTooLarge = static_cast<int>(ProfileStatus::TooLarge);
constexpr int kFailed = static_cast<int>(ProfileStatus::Failed);

}  // namespace

class ProfileStringsTest : public QObject {
  Q_OBJECT

 private slots:
  void read_data();
  void read();
  void write_data();
  void write();
  void roundTrip_data();
  void roundTrip();
  void readsFileAfresh();
  void failures_data();
  void failures();
  void writableFileInAFolderThatIsNotIsSavedInPlace();
  void keepsOldFileWhenWritingFails();
  void keepsPermissionBits_data();
  void keepsPermissionBits();
  void writesThroughLink();
  void fakeFailsWritesAsARealWriteFails();
  void writeKeys_data();
  void writeKeys();
  void sizeLimit_data();
  void sizeLimit();
  void removesStaleTemporaries_data();
  void removesStaleTemporaries();
};

void ProfileStringsTest::read_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QByteArray>("section");
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("expected");

  const QByteArray simple = "[Glyphera]\r\nDef8=value\r\n";
  QTest::newRow("missing file") << kNoFile << QByteArray("Glyphera") << QByteArray("Def8")
                                << QByteArray();
  QTest::newRow("empty file") << QByteArray() << QByteArray("Glyphera") << QByteArray("Def8")
                              << QByteArray();
  QTest::newRow("missing section")
      << simple << QByteArray("Other") << QByteArray("Def8") << QByteArray();
  QTest::newRow("missing key") << simple << QByteArray("Glyphera") << QByteArray("Def9")
                               << QByteArray();
  QTest::newRow("found") << simple << QByteArray("Glyphera") << QByteArray("Def8")
                         << QByteArray("value");
  QTest::newRow("section without case")
      << QByteArray("[GLYPHERA]\r\nDef8=value\r\n") << QByteArray("glyphera") << QByteArray("Def8")
      << QByteArray("value");
  QTest::newRow("key without case")
      << QByteArray("[Glyphera]\r\nDEF8=value\r\n") << QByteArray("Glyphera") << QByteArray("def8")
      << QByteArray("value");
  QTest::newRow("non-ASCII letters keep their case")
      << QByteArray("[Glyphera]\r\n\xC3\x84=value\r\n") << QByteArray("Glyphera")
      << QByteArray("\xC3\xA4") << QByteArray();
  QTest::newRow("blanks and tabs around =")
      << QByteArray("[Glyphera]\r\n \t Def8 \t=\t  two words \t \r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("two words");
  QTest::newRow("blanks in the header")
      << QByteArray("  [  Glyphera \t]  \r\nDef8=value\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("value");
  QTest::newRow("text after the header's ]")
      << QByteArray("[Glyphera] ; settings\r\nDef8=value\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("value");
  QTest::newRow("header without ]")
      << QByteArray("[Glyphera\r\nDef8=value\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("value");
  QTest::newRow("value holding =")
      << QByteArray("[Glyphera]\r\nDef8=a=b\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("a=b");
  QTest::newRow("empty value") << QByteArray("[Glyphera]\r\nDef8=\r\nNext=x\r\n")
                               << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray();
  QTest::newRow("double quotes stripped")
      << QByteArray("[Glyphera]\r\nDef8=\"x\"\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x");
  QTest::newRow("single quotes stripped")
      << QByteArray("[Glyphera]\r\nDef8='x'\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x");
  QTest::newRow("quotes keep inner blanks")
      << QByteArray("[Glyphera]\r\nDef8= \" x \" \r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray(" x ");
  QTest::newRow("only one pair stripped")
      << QByteArray("[Glyphera]\r\nDef8=\"\"x\"\"\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("\"x\"");
  QTest::newRow("empty quotes") << QByteArray("[Glyphera]\r\nDef8=\"\"\r\n")
                                << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray();
  QTest::newRow("mismatched quotes kept")
      << QByteArray("[Glyphera]\r\nDef8=\"x'\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("\"x'");
  QTest::newRow("single quote character kept")
      << QByteArray("[Glyphera]\r\nDef8=\"\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("\"");
  QTest::newRow("quote at one end kept")
      << QByteArray("[Glyphera]\r\nDef8=x\"\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x\"");

  const QByteArray head = "[Glyphera]\r\nDef8=";
  QTest::newRow("1023 bytes kept whole")
      << head + Repeat('a', 1023) + "\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1023);
  QTest::newRow("ASCII cut to 1023 bytes")
      << head + Repeat('a', 1024) + "\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1023);
  QTest::newRow("quotes stripped before the cut")
      << head + "\"" + Repeat('a', 1023) + "\"\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1023);
  QTest::newRow("2-byte character ending at byte 1023 kept")
      << head + Repeat('a', 1021) + "\xC3\xA9" + "zz\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1021) + "\xC3\xA9";
  QTest::newRow("2-byte character across byte 1023")
      << head + Repeat('a', 1022) + "\xC3\xA9" + "zz\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1022);
  QTest::newRow("3-byte character, 2 bytes in")
      << head + Repeat('a', 1021) + "\xE2\x82\xAC" + "zz\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1021);
  QTest::newRow("3-byte character, 1 byte in")
      << head + Repeat('a', 1022) + "\xE2\x82\xAC" + "zz\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1022);
  QTest::newRow("4-byte character, 3 bytes in")
      << head + Repeat('a', 1020) + "\xF0\x9F\x98\x80" + "zz\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1020);
  QTest::newRow("4-byte character, 1 byte in")
      << head + Repeat('a', 1022) + "\xF0\x9F\x98\x80" + "zz\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1022);
  QTest::newRow("4-byte character ending at byte 1023 kept")
      << head + Repeat('a', 1019) + "\xF0\x9F\x98\x80" + "zz\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << Repeat('a', 1019) + "\xF0\x9F\x98\x80";
  QTest::newRow("stray continuation bytes read as Windows-1252, cut between characters")
      << head + Repeat('\x80', 1100) + "\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("\xE2\x82\xAC").repeated(341);

  // Values that are not UTF-8 are 8-bit text, taken as Windows-1252.
  const auto value = [](const QByteArray& stored) {
    return "[Glyphera]\r\nDef8=" + stored + "\r\n";
  };
  const QByteArray g = "Glyphera";
  const QByteArray d = "Def8";
  QTest::newRow("Latin-1 letters")
      << value("Caf\xE9 cr\xE8me") << g << d << QByteArray("Caf\xC3\xA9 cr\xC3\xA8me");
  QTest::newRow("Windows-1252 quotes and euro")
      << value("\x93q\x94 \x80") << g << d << QByteArray("\xE2\x80\x9Cq\xE2\x80\x9D \xE2\x82\xAC");
  QTest::newRow("one Latin-1 byte makes the whole value Windows-1252")
      << value("\xC3\xA9\xE9") << g << d << QByteArray("\xC3\x83\xC2\xA9\xC3\xA9");
  QTest::newRow("overlong form is not UTF-8")
      << value("\xE0\x80\xAF") << g << d << QByteArray("\xC3\xA0\xE2\x82\xAC\xC2\xAF");
  QTest::newRow("sequence cut short at the end")
      << value("ab\xC3") << g << d << QByteArray("ab\xC3\x83");
  QTest::newRow("Latin-1 letter across byte 1023 of UTF-8")
      << value(Repeat('a', 1022) + "\xE9zz") << g << d << Repeat('a', 1022);

  QTest::newRow("duplicate section: first one read")
      << QByteArray("[Glyphera]\r\nDef8=first\r\n[Glyphera]\r\nDef8=second\r\nOnly=2\r\n")
      << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("first");
  QTest::newRow("duplicate section: keys of the second not seen")
      << QByteArray("[Glyphera]\r\nDef8=first\r\n[glyphera]\r\nOnly=2\r\n")
      << QByteArray("Glyphera") << QByteArray("Only") << QByteArray();
  QTest::newRow("duplicate key: first one read")
      << QByteArray("[Glyphera]\r\nDef8=first\r\ndef8=second\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("first");
  QTest::newRow("key before any section not matched")
      << QByteArray("Def8=stray\r\n[Glyphera]\r\nOther=1\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray();
  QTest::newRow("key of another section not matched")
      << QByteArray("[Other]\r\nDef8=other\r\n[Glyphera]\r\nX=1\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray();
  QTest::newRow("comment naming the key not matched")
      << QByteArray("[Glyphera]\r\n;Def8=old\r\n#Def8=old\r\nDef8=new\r\n")
      << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("new");

  QTest::newRow("CR line ends") << QByteArray("[Other]\rDef8=no\r[Glyphera]\rA=1\rDef8=cr\r")
                                << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("cr");
  QTest::newRow("LF line ends") << QByteArray("[Other]\nDef8=no\n[Glyphera]\nA=1\nDef8=lf\n")
                                << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("lf");
  QTest::newRow("mixed line ends")
      << QByteArray("[Other]\rDef8=no\n[Glyphera]\r\nA=1\r\rDef8=mixed\nB=2")
      << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("mixed");
  QTest::newRow("last line without a line end")
      << QByteArray("[Glyphera]\r\nDef8=last") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("last");
  QTest::newRow("byte-order mark before the first header")
      << QByteArray("\xEF\xBB\xBF[Glyphera]\r\nDef8=bom\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("bom");
  QTest::newRow("binary bytes and NULs in other lines")
      << Bytes("\x00\xFF\xFE\r\n[Glyphera]\r\n\x01\x02\x00\x7F garbage\r\n\x00=\x00\r\nDef8=ok\r\n")
      << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("ok");
  QTest::newRow("NUL inside the value kept")
      << Bytes("[Glyphera]\r\nDef8=a\x00z\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << Bytes("a\x00z");
  QTest::newRow("100,000-character line before the key")
      << "[Glyphera]\r\n" + Repeat('x', 100000) + "\r\nDef8=after\r\n"
      << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("after");
  QTest::newRow("100,000-character value") << head + Repeat('v', 100000) << QByteArray("Glyphera")
                                           << QByteArray("Def8") << Repeat('v', 1023);
}

void ProfileStringsTest::read() {
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, section);
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, expected);

  TempDir dir;
  const std::string path = dir.File("GLYPHERA.INI");
  if (file != kNoFile) WriteQBytes(path, file);
  ProfileStrings profile;
  QCOMPARE(QByteArray::fromStdString(profile.Read(path, section.toStdString(), key.toStdString())),
           expected);
  QCOMPARE(StoredBytes(path), file == kNoFile ? QByteArray("<missing>") : file);
}

void ProfileStringsTest::write_data() {
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QByteArray>("section");
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("value");
  QTest::addColumn<QByteArray>("after");

  QTest::newRow("file created") << kNoFile << QByteArray("Glyphera") << QByteArray("Def8")
                                << QByteArray("x") << QByteArray("[Glyphera]\r\nDef8=x\r\n");
  QTest::newRow("empty file") << QByteArray() << QByteArray("Glyphera") << QByteArray("Def8")
                              << QByteArray("x") << QByteArray("[Glyphera]\r\nDef8=x\r\n");
  QTest::newRow("file of only a byte-order mark")
      << QByteArray("\xEF\xBB\xBF") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x") << QByteArray("\xEF\xBB\xBF[Glyphera]\r\nDef8=x\r\n");

  QTest::newRow("key replaced in place, every other byte kept")
      << Bytes(
             "\xEF\xBB\xBF; top comment\r\nDef8=stray\n[Other]\r\nDef8=other\n"
             "  [ glyphera ]  \r\n# note\r\n  def8 = \"old\"  \r\nNext=1\r"
             "[Unknown]\r\n\x01\x00\xFE\r\n\r\n")
      << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("new")
      << Bytes(
             "\xEF\xBB\xBF; top comment\r\nDef8=stray\n[Other]\r\nDef8=other\n"
             "  [ glyphera ]  \r\n# note\r\nDef8=new\r\nNext=1\r"
             "[Unknown]\r\n\x01\x00\xFE\r\n\r\n");
  // A line the program writes ends in CR LF, whatever the line it replaces ended in.
  QTest::newRow("replaced LF line ends in CR LF")
      << QByteArray("[Glyphera]\nDef8=old\nX=1\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("new") << QByteArray("[Glyphera]\nDef8=new\r\nX=1\n");
  QTest::newRow("replaced CR line ends in CR LF")
      << QByteArray("[Glyphera]\rDef8=old\rX=1\r") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("new") << QByteArray("[Glyphera]\rDef8=new\r\nX=1\r");
  QTest::newRow("replaced last line without line end ends in CR LF")
      << QByteArray("[Glyphera]\r\nDef8=old") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("new") << QByteArray("[Glyphera]\r\nDef8=new\r\n");
  QTest::newRow("key spelled as the caller gives it")
      << QByteArray("[GLYPHERA]\r\nDEF8=old\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("new") << QByteArray("[GLYPHERA]\r\nDef8=new\r\n");
  QTest::newRow("duplicate key: first one replaced")
      << QByteArray("[Glyphera]\r\nDef8=one\r\nDef8=two\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("new")
      << QByteArray("[Glyphera]\r\nDef8=new\r\nDef8=two\r\n");
  QTest::newRow("duplicate section: first one written")
      << QByteArray("[Glyphera]\r\nA=1\r\n[Glyphera]\r\nDef8=two\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("new")
      << QByteArray("[Glyphera]\r\nA=1\r\nDef8=new\r\n[Glyphera]\r\nDef8=two\r\n");

  QTest::newRow("missing key after the last key, before blank lines and the next section")
      << QByteArray("[Glyphera]\r\nA=1\r\n\r\n \t\r\n[Next]\r\nB=2\r\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("x")
      << QByteArray("[Glyphera]\r\nA=1\r\nDef8=x\r\n\r\n \t\r\n[Next]\r\nB=2\r\n");
  QTest::newRow("missing key after a comment that ends the section")
      << QByteArray("[Glyphera]\nA=1\n; end\n\n[Next]\n") << QByteArray("Glyphera")
      << QByteArray("Def8") << QByteArray("x")
      << QByteArray("[Glyphera]\nA=1\n; end\nDef8=x\r\n\n[Next]\n");
  QTest::newRow("missing key in an empty section")
      << QByteArray("[Glyphera]\r\n[Next]\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x") << QByteArray("[Glyphera]\r\nDef8=x\r\n[Next]\r\n");
  QTest::newRow("missing key, header is the last line without line end")
      << QByteArray("[Glyphera]") << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("x")
      << QByteArray("[Glyphera]\r\nDef8=x\r\n");
  QTest::newRow("missing key, last key without line end")
      << QByteArray("[Glyphera]\nA=1") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x") << QByteArray("[Glyphera]\nA=1\r\nDef8=x\r\n");
  QTest::newRow("missing key, stray key before the sections left alone")
      << QByteArray("Def8=stray\r\n[Glyphera]\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x") << QByteArray("Def8=stray\r\n[Glyphera]\r\nDef8=x\r\n");

  QTest::newRow("missing section appended")
      << QByteArray("[Other]\r\nA=1\r\n\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x") << QByteArray("[Other]\r\nA=1\r\n\r\n[Glyphera]\r\nDef8=x\r\n");
  QTest::newRow("missing section, file without final line end")
      << QByteArray("[Other]\r\nA=1") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x") << QByteArray("[Other]\r\nA=1\r\n[Glyphera]\r\nDef8=x\r\n");
  QTest::newRow("missing section, file ending in LF")
      << QByteArray("[Other]\nA=1\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x") << QByteArray("[Other]\nA=1\n[Glyphera]\r\nDef8=x\r\n");
  QTest::newRow("missing section, file ending in CR")
      << QByteArray("[Other]\rA=1\r") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("x") << QByteArray("[Other]\rA=1\r[Glyphera]\r\nDef8=x\r\n");
  QTest::newRow("missing section, binary file without line end")
      << Bytes("\x00\x01\xFF") << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("x")
      << Bytes("\x00\x01\xFF\r\n[Glyphera]\r\nDef8=x\r\n");

  QTest::newRow("LF in the value becomes a space")
      << kNoFile << QByteArray("Glyphera") << QByteArray("Def8") << QByteArray("a\nb")
      << QByteArray("[Glyphera]\r\nDef8=a b\r\n");
  QTest::newRow("CRLF in the value becomes two spaces")
      << QByteArray("[Glyphera]\r\nDef8=old\r\n") << QByteArray("Glyphera") << QByteArray("Def8")
      << QByteArray("a\r\nb\r") << QByteArray("[Glyphera]\r\nDef8=a  b \r\n");
}

void ProfileStringsTest::write() {
  QFETCH(QByteArray, before);
  QFETCH(QByteArray, section);
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, value);
  QFETCH(QByteArray, after);

  TempDir dir;
  const std::string path = dir.File("GLYPHERA.INI");
  if (before != kNoFile) WriteQBytes(path, before);
  ProfileStrings profile;
  QVERIFY(profile.Write(path, section.toStdString(), key.toStdString(), value.toStdString()));
  QCOMPARE(StoredBytes(path), after);
  QCOMPARE(FolderEntries(dir.Path()), (QStringList{".GLYPHERA.INI.lock", "GLYPHERA.INI"}));
}

void ProfileStringsTest::roundTrip_data() {
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QByteArray>("value");

  const QByteArray busy = "; comment\r\n[Other]\r\nDef8=other\r\n[Glyphera]\r\nA=1\r\n\r\n";
  QTest::newRow("plain text, new file") << kNoFile << QByteArray("Sample text");
  QTest::newRow("UTF-8 text, new file") << kNoFile
                                        << QByteArray(
                                               "Gr\xC3\xBC\xC3\x9F"
                                               "e \xE2\x80\x94 \xE6\x97\xA5\xE6\x9C\xAC "
                                               "\xF0\x9F\x98\x80");
  QTest::newRow("UTF-8 text, busy file")
      << busy
      << QByteArray(
             "\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91 t\xC3\xBCk\xC3\xB6rf\xC3\xBAr"
             "\xC3\xB3g\xC3\xA9p");
  QTest::newRow("text that looks like file syntax") << busy << QByteArray("[Glyphera] a=b ; #");
  QTest::newRow("1023 bytes of 3-byte characters and one letter")
      << busy << QByteArray("z") + QByteArray("\xE2\x82\xAC").repeated(340) + "yz";
}

void ProfileStringsTest::roundTrip() {
  QFETCH(QByteArray, before);
  QFETCH(QByteArray, value);

  TempDir dir;
  const std::string path = dir.File("GLYPHERA.INI");
  if (before != kNoFile) WriteQBytes(path, before);
  ProfileStrings profile;
  // Written twice: the second write goes down the replace-in-place path.
  QVERIFY(profile.Write(path, "Glyphera", "Def8", "first"));
  QVERIFY(profile.Write(path, "Glyphera", "Def8", value.toStdString()));
  QVERIFY(profile.Write(path, "Glyphera", "Other", "second key"));
  QCOMPARE(QByteArray::fromStdString(profile.Read(path, "Glyphera", "Def8")), value);
  QCOMPARE(QByteArray::fromStdString(profile.Read(path, "Glyphera", "Other")),
           QByteArray("second key"));
  if (before != kNoFile) {
    QCOMPARE(QByteArray::fromStdString(profile.Read(path, "Other", "Def8")), QByteArray("other"));
  }
}

void ProfileStringsTest::readsFileAfresh() {
  TempDir dir;
  const std::string path = dir.File("GLYPHERA.INI");
  ProfileStrings profile;
  QVERIFY(profile.Write(path, "Glyphera", "Def8", "by the program"));
  QCOMPARE(profile.Read(path, "Glyphera", "Def8"), std::string("by the program"));
  WriteQBytes(path, "[Glyphera]\r\nDef8=by hand\r\n");
  QCOMPARE(profile.Read(path, "Glyphera", "Def8"), std::string("by hand"));
  QVERIFY(profile.Write(path, "Glyphera", "Other", "x"));
  QCOMPARE(StoredBytes(path), QByteArray("[Glyphera]\r\nDef8=by hand\r\nOther=x\r\n"));
}

void ProfileStringsTest::failures_data() {
  QTest::addColumn<QString>("situation");
  QTest::addColumn<QByteArray>("section");
  QTest::addColumn<QByteArray>("key");

  QTest::newRow("folder missing") << "folder missing" << QByteArray("Glyphera")
                                  << QByteArray("Def8");
  QTest::newRow("path is a folder")
      << "path is a folder" << QByteArray("Glyphera") << QByteArray("Def8");
  QTest::newRow("parent is a regular file")
      << "parent is a regular file" << QByteArray("Glyphera") << QByteArray("Def8");
  QTest::newRow("path is a named pipe")
      << "path is a named pipe" << QByteArray("Glyphera") << QByteArray("Def8");
  QTest::newRow("read-only file") << "read-only file" << QByteArray("Glyphera")
                                  << QByteArray("Def8");
  QTest::newRow("line break in the section name")
      << "ordinary file" << QByteArray("Gly\nphera") << QByteArray("Def8");
  QTest::newRow("] in the section name")
      << "ordinary file" << QByteArray("Gly]phera") << QByteArray("Def8");
  QTest::newRow("line break in the key name")
      << "ordinary file" << QByteArray("Glyphera") << QByteArray("Def\r8");
  QTest::newRow("= in the key name")
      << "ordinary file" << QByteArray("Glyphera") << QByteArray("Def=8");
  QTest::newRow("key name that reads as a header")
      << "ordinary file" << QByteArray("Glyphera") << QByteArray(" [Def8");
}

void ProfileStringsTest::failures() {
  QFETCH(QString, situation);
  QFETCH(QByteArray, section);
  QFETCH(QByteArray, key);

  const bool root = geteuid() == 0;
  if (root && situation.startsWith("read-only")) {
    QSKIP("This user writes whatever the permissions (root)");
  }

  TempDir dir;
  const QByteArray old = "; keep\r\n[Glyphera]\r\nDef8=old\r\n";
  std::string path = dir.File("GLYPHERA.INI");
  if (situation == "folder missing") {
    path = dir.File("missing/GLYPHERA.INI");
  } else if (situation == "path is a folder") {
    fs::create_directory(path);
  } else if (situation == "parent is a regular file") {
    WriteQBytes(dir.File("plain"), old);
    path = dir.File("plain/GLYPHERA.INI");
  } else if (situation == "path is a named pipe") {
    QCOMPARE(mkfifo(path.c_str(), 0600), 0);
  } else if (situation == "read-only file") {
    WriteQBytes(path, old);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  } else {
    WriteQBytes(path, old);
  }
  const QStringList entriesBefore = FolderEntries(dir.Path());
  const QByteArray bytesBefore = StoredBytes(path);

  ProfileStrings profile;
  QVERIFY(!profile.Write(path, section.toStdString(), key.toStdString(), "new"));
  fs::permissions(dir.Path(), fs::perms::owner_all, fs::perm_options::add);
  QCOMPARE(FolderEntries(dir.Path()), entriesBefore);
  QCOMPARE(StoredBytes(path), bytesBefore);
  if (situation.startsWith("path is") || situation == "folder missing" ||
      situation == "parent is a regular file") {
    QCOMPARE(profile.Read(path, "Glyphera", "Def8"), std::string());
  } else {
    QCOMPARE(profile.Read(path, "Glyphera", "Def8"), std::string("old"));
  }
}

// A settings file the user may write, in a program folder the user may not (an installed copy
// made portable, say): no temporary can be made beside it, so it is written in place, and
// nothing else appears in the folder. Root writes any folder; a read-only mount with the file
// bound into it from elsewhere stands in for the permissions then.
void ProfileStringsTest::writableFileInAFolderThatIsNotIsSavedInPlace() {
  TempDir dir;
  const std::string folder = dir.File("program");
  fs::create_directory(folder);
  const std::string path = folder + "/GLYPHERA.INI";
  const QByteArray old = "; keep\r\n[Glyphera]\r\nDef8=old\r\nDef9=nine\r\n";
  std::vector<std::string> mounts;
  const auto unmount = qScopeGuard([&] {
    for (auto m = mounts.rbegin(); m != mounts.rend(); ++m) ::umount2(m->c_str(), MNT_DETACH);
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
  });
  if (geteuid() == 0) {
    const std::string outside = dir.File("outside.ini");
    WriteQBytes(outside, old);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=16k") != 0) {
      QSKIP("Root needs to mount a tmpfs for a folder it cannot write");
    }
    mounts.push_back(folder);
    WriteQBytes(path, "");
    QCOMPARE(::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    QCOMPARE(::mount(outside.c_str(), path.c_str(), nullptr, MS_BIND, nullptr), 0);
    mounts.push_back(path);
  } else {
    WriteQBytes(path, old);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  }
  QVERIFY(access(folder.c_str(), W_OK) != 0);
  ProfileStrings profile;
  QVERIFY(profile.Write(path, "Glyphera", "Def8", "a longer new value"));
  QCOMPARE(StoredBytes(path),
           QByteArray("; keep\r\n[Glyphera]\r\nDef8=a longer new value\r\nDef9=nine\r\n"));
  QVERIFY(profile.Write(path, "Glyphera", "Def8", "x"));
  QCOMPARE(StoredBytes(path), QByteArray("; keep\r\n[Glyphera]\r\nDef8=x\r\nDef9=nine\r\n"));
  QCOMPARE(FolderEntries(folder), QStringList{"GLYPHERA.INI"});
}

// A disk that fills up while the new file is written: the file-size limit makes the write of the
// temporary file fail even for root.
void ProfileStringsTest::keepsOldFileWhenWritingFails() {
  TempDir dir;
  const std::string path = dir.File("GLYPHERA.INI");
  const QByteArray old = "[Glyphera]\r\nDef8=old\r\n";
  WriteQBytes(path, old);

  struct rlimit saved {};
  QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  const sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
  QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
  ProfileStrings profile;
  const bool written =
      profile.Write(path, "Glyphera", "Def8", std::string(200, 'n'));  // larger than the limit
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);

  QVERIFY(!written);
  QCOMPARE(StoredBytes(path), old);
  QCOMPARE(FolderEntries(dir.Path()), (QStringList{".GLYPHERA.INI.lock", "GLYPHERA.INI"}));
}

void ProfileStringsTest::keepsPermissionBits_data() {
  QTest::addColumn<bool>("existing");
  QTest::addColumn<uint>("mode");  // of the existing file, or the umask for a new one
  QTest::addColumn<uint>("expected");

  QTest::newRow("existing 0600") << true << 0600u << 0600u;
  QTest::newRow("existing 0640") << true << 0640u << 0640u;
  QTest::newRow("existing 0664") << true << 0664u << 0664u;
  QTest::newRow("new file, umask 022") << false << 022u << 0644u;
  QTest::newRow("new file, umask 077") << false << 077u << 0600u;
}

void ProfileStringsTest::keepsPermissionBits() {
  QFETCH(bool, existing);
  QFETCH(uint, mode);
  QFETCH(uint, expected);

  TempDir dir;
  const std::string path = dir.File("GLYPHERA.INI");
  ProfileStrings profile;
  if (existing) {
    WriteQBytes(path, "[Glyphera]\r\nDef8=old\r\n");
    QCOMPARE(chmod(path.c_str(), mode), 0);
    QVERIFY(profile.Write(path, "Glyphera", "Def8", "new"));
  } else {
    const mode_t savedMask = umask(mode);
    const bool written = profile.Write(path, "Glyphera", "Def8", "new");
    umask(savedMask);
    QVERIFY(written);
  }
  QCOMPARE(PermissionBits(path), expected);
  QCOMPARE(StoredBytes(path).contains("Def8=new\r\n"), true);
}

void ProfileStringsTest::writesThroughLink() {
  TempDir dir;
  fs::create_directory(dir.File("real"));
  const std::string real = dir.File("real/GLYPHERA.INI");
  const std::string link = dir.File("GLYPHERA.INI");
  WriteQBytes(real, "[Glyphera]\r\nDef8=old\r\n");
  fs::create_symlink(real, link);

  ProfileStrings profile;
  QVERIFY(profile.Write(link, "Glyphera", "Def8", "new"));
  QVERIFY(fs::is_symlink(link));
  QCOMPARE(StoredBytes(real), QByteArray("[Glyphera]\r\nDef8=new\r\n"));
  QCOMPARE(FolderEntries(dir.File("real")), (QStringList{".GLYPHERA.INI.lock", "GLYPHERA.INI"}));
}

// The settings tests fail writes through the fake, so it must fail as a real write that cannot
// be completed does: false, and the value before it still read.
void ProfileStringsTest::fakeFailsWritesAsARealWriteFails() {
  TempDir dir;
  const auto run = [&dir](IProfileStrings& profile, const std::string& name,
                          const std::function<void(bool)>& failWrites) {
    const std::string path = dir.File(name);
    QStringList seen;
    seen << (profile.Write(path, "Glyphera", "Def8", "one") ? "written" : "failed");
    failWrites(true);
    seen << (profile.Write(path, "Glyphera", "Def8", std::string(200, 't')) ? "written" : "failed");
    failWrites(false);
    seen << QString::fromStdString(profile.Read(path, "Glyphera", "Def8"));
    return seen;
  };
  const QStringList expected{"written", "failed", "one"};

  FakeProfileStrings fake;
  QCOMPARE(run(fake, "fake.ini", [&fake](bool fail) { fake.failWrites = fail; }), expected);

  // A real write fails when the file may not grow past 64 bytes.
  struct rlimit saved {};
  QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
  ProfileStrings real;
  const QStringList seen = run(real, "real.ini", [saved](bool fail) {
    struct rlimit limit = saved;
    if (fail) limit.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &limit);
  });
  signal(SIGXFSZ, oldHandler);
  QCOMPARE(seen, expected);
}

void ProfileStringsTest::writeKeys_data() {
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QByteArrayList>("entries");  // key, value, key, value, ...
  QTest::addColumn<int>("status");
  QTest::addColumn<QByteArray>("after");

  QTest::newRow("file created, keys in the order given")
      << kNoFile << QByteArrayList{"Def8", "a", "Def9", "b"} << kOk
      << QByteArray("[Glyphera]\r\nDef8=a\r\nDef9=b\r\n");
  QTest::newRow("keys replaced in place and appended, the rest kept")
      << QByteArray("; c\r\n[Glyphera]\nDef9=old\n\n[Next]\nDef8=n\n")
      << QByteArrayList{"Def8", "a", "Def9", "b", "Def10", "c"} << kOk
      << QByteArray("; c\r\n[Glyphera]\nDef9=b\r\nDef8=a\r\nDef10=c\r\n\n[Next]\nDef8=n\n");
  QTest::newRow("same key twice: the later one")
      << QByteArray("[Glyphera]\r\nDEF8=old\r\n") << QByteArrayList{"Def8", "a", "def8", "b"} << kOk
      << QByteArray("[Glyphera]\r\ndef8=b\r\n");
  QTest::newRow("one name the file cannot hold: nothing written")
      << QByteArray("[Glyphera]\r\nDef8=old\r\n") << QByteArrayList{"Def8", "new", "Def=9", "x"}
      << kFailed << QByteArray("[Glyphera]\r\nDef8=old\r\n");
  QTest::newRow("no keys: nothing written") << kNoFile << QByteArrayList{} << kOk << kNoFile;
}

void ProfileStringsTest::writeKeys() {
  QFETCH(QByteArray, before);
  QFETCH(QByteArrayList, entries);
  QFETCH(int, status);
  QFETCH(QByteArray, after);

  TempDir dir;
  const std::string path = dir.File("GLYPHERA.INI");
  if (before != kNoFile) WriteQBytes(path, before);
  ProfileEntries list;
  for (qsizetype i = 0; i + 1 < entries.size(); i += 2) {
    list.emplace_back(entries[i].toStdString(), entries[i + 1].toStdString());
  }
  ProfileStrings profile;
  ProfileStatus written = ProfileStatus::Failed;
  const int renames = RenamesOnto(dir.Path(), "GLYPHERA.INI",
                                  [&] { written = profile.WriteKeys(path, "Glyphera", list); });
  QCOMPARE(static_cast<int>(written), status);
  QCOMPARE(renames, status == kOk && !list.empty() ? 1 : 0);
  QCOMPARE(StoredBytes(path), after == kNoFile ? QByteArray("<missing>") : after);
}

void ProfileStringsTest::sizeLimit_data() {
  QTest::addColumn<qint64>("size");
  QTest::addColumn<QByteArray>("value");  // written over "old"
  QTest::addColumn<int>("readStatus");
  QTest::addColumn<int>("writeStatus");

  const auto limit = static_cast<qint64>(kMaxProfileFileBytes);
  QTest::newRow("at the limit") << limit << QByteArray("new") << kOk << kOk;
  QTest::newRow("one byte over") << limit + 1 << QByteArray("new") << kTooLarge << kTooLarge;
  QTest::newRow("a write that would cross the limit")
      << limit << QByteArray("newer") << kOk << kTooLarge;
}

void ProfileStringsTest::sizeLimit() {
  QFETCH(qint64, size);
  QFETCH(QByteArray, value);
  QFETCH(int, readStatus);
  QFETCH(int, writeStatus);
  if (!BytesReadSoFar()) QSKIP("The kernel does not count the bytes read (/proc/self/io)");

  TempDir dir;
  const std::string path = dir.File("GLYPHERA.INI");
  QVERIFY(WriteSparseFile(path, "[Glyphera]\r\nDef8=old\r\n", size));
  const FileStamp before = StampOf(path);
  ProfileStrings profile;

  const quint64 readBefore = *BytesReadSoFar();
  const ProfileValues read = profile.ReadKeys(path, "Glyphera", {"Def8", "Def9"});
  const quint64 loaded = *BytesReadSoFar() - readBefore;
  QCOMPARE(static_cast<int>(read.Status), readStatus);
  QVERIFY(read.Values == (std::vector<std::string>{readStatus == kOk ? "old" : "", ""}));
  // A refused file is measured, never read.
  QCOMPARE(loaded >= static_cast<quint64>(size), readStatus == kOk);

  const ProfileStatus written =
      profile.WriteKeys(path, "Glyphera", {{"Def8", value.toStdString()}});
  QCOMPARE(static_cast<int>(written), writeStatus);
  QCOMPARE(StampOf(path) == before, writeStatus != kOk);
  QCOMPARE(FolderEntries(dir.Path()), (QStringList{".GLYPHERA.INI.lock", "GLYPHERA.INI"}));
}

void ProfileStringsTest::removesStaleTemporaries_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("kind");  // file, folder or link
  QTest::addColumn<int>("age");       // seconds since it was last changed
  QTest::addColumn<bool>("removed");

  const QString ours = ".GLYPHERA.INI.tmp-a1b2c3d4";
  QTest::newRow("ours, two minutes old") << ours << "file" << 120 << true;
  QTest::newRow("ours, just written") << ours << "file" << 0 << false;
  QTest::newRow("ours, half a minute old") << ours << "file" << 30 << false;
  QTest::newRow("capitals in the suffix") << ".GLYPHERA.INI.tmp-A1B2C3D4"
                                          << "file" << 120 << false;
  QTest::newRow("seven-character suffix") << ".GLYPHERA.INI.tmp-a1b2c3d"
                                          << "file" << 120 << false;
  QTest::newRow("nine-character suffix") << ".GLYPHERA.INI.tmp-a1b2c3d4e"
                                         << "file" << 120 << false;
  QTest::newRow("another file's") << ".OTHER.INI.tmp-a1b2c3d4"
                                  << "file" << 120 << false;
  QTest::newRow("the name in other case") << ".glyphera.ini.tmp-a1b2c3d4"
                                          << "file" << 120 << false;
  QTest::newRow("not hidden") << "GLYPHERA.INI.tmp-a1b2c3d4"
                              << "file" << 120 << false;
  QTest::newRow("a folder of our naming") << ours << "folder" << 120 << false;
  QTest::newRow("a link of our naming") << ours << "link" << 120 << false;
  QTest::newRow("its writer runs") << ".GLYPHERA.INI.tmp-%live-a1b2c3d4"
                                   << "file" << 120 << false;
  QTest::newRow("its writer ended") << ".GLYPHERA.INI.tmp-%ended-a1b2c3d4"
                                    << "file" << 0 << true;
}

void ProfileStringsTest::removesStaleTemporaries() {
  QFETCH(QString, name);
  QFETCH(QString, kind);
  QFETCH(int, age);
  QFETCH(bool, removed);

  TempDir dir;
  const std::string path = dir.File("GLYPHERA.INI");
  const QByteArray settings = "[Glyphera]\r\nDef8=old\r\n";
  WriteQBytes(path, settings);
  // Old as well, so that following the link would find an old regular file.
  QVERIFY(SetAge(path, 3600));
  const std::string entry = dir.File(WithProcessIds(name).toStdString());
  if (kind == "folder") {
    fs::create_directory(entry);
  } else if (kind == "link") {
    fs::create_symlink(path, entry);  // neither the link nor the settings file may go
  } else {
    WriteQBytes(entry, "[Glyph");
  }
  QVERIFY(SetAge(entry, age));

  ProfileStrings().RemoveStaleTemporaries(path);
  QCOMPARE(fs::exists(fs::symlink_status(entry)), !removed);
  QCOMPARE(StoredBytes(path), settings);
}

QTEST_GUILESS_MAIN(ProfileStringsTest)
#include "ProfileStringsTest.moc"

#include <QtTest>

#include "fixtures/FileBytes.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "fakes/FakeRegistry.h"
#include "fixtures/ProcessIds.h"
#include "fixtures/TempDir.h"
#include "platform/PlatformError.h"
#include "platform/storage/RegistryStore.h"
#include "platform/storage/RegistryText.h"

Q_DECLARE_METATYPE(RegistryRoot)
Q_DECLARE_METATYPE(RegistryType)

namespace fs = std::filesystem;

namespace {

const std::string kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kWindowsFonts = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// Sets environment variables for one test and puts the old values back when it ends.
class EnvironmentScope {
 public:
  EnvironmentScope() = default;
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;
  ~EnvironmentScope() {
    for (const auto& [name, old] : saved_) {
      if (old) {
        qputenv(name.constData(), *old);
      } else {
        qunsetenv(name.constData());
      }
    }
  }

  void Set(const char* name, const QByteArray& value) {
    Save(name);
    qputenv(name, value);
  }
  void Unset(const char* name) {
    Save(name);
    qunsetenv(name);
  }

 private:
  void Save(const char* name) {
    for (const auto& entry : saved_) {
      if (entry.first == name) return;
    }
    saved_.emplace_back(
        name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
  }

  std::vector<std::pair<QByteArray, std::optional<QByteArray>>> saved_;
};

// An empty QByteArray in a "set" column means "leave the variable unset".
void SetOrUnset(EnvironmentScope& environment, const char* name, bool set,
                const QByteArray& value) {
  if (set) {
    environment.Set(name, value);
  } else {
    environment.Unset(name);
  }
}

// The file's bytes, or "<unreadable>".
QByteArray StoredBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<unreadable>";
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return QByteArray::fromStdString(bytes.str());
}

// The message of the PlatformError the call throws, or "<no error>".
QString ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const PlatformError& error) {
    return QString::fromStdString(error.what());
  }
  return QStringLiteral("<no error>");
}

RegistryValue MakeValue(RegistryType type, const std::string& text, std::uint32_t number = 0) {
  RegistryValue value;
  value.Type = type;
  value.Text = text;
  value.Number = number;
  return value;
}

// One line per value, so a QCOMPARE failure shows type and contents together.
QString Describe(const std::optional<RegistryValue>& value) {
  if (!value) return QStringLiteral("missing");
  switch (value->Type) {
    case RegistryType::Text:
      return "text:" + QString::fromStdString(value->Text);
    case RegistryType::ExpandableText:
      return "expandable:" + QString::fromStdString(value->Text);
    case RegistryType::Number:
      return "number:" + QString::number(value->Number) +
             (value->Text.empty() ? QString() : " text:" + QString::fromStdString(value->Text));
  }
  return QStringLiteral("unknown type");
}

}  // namespace

class RegistryStoreTest : public QObject {
  Q_OBJECT

 private slots:
  void seedsMissingFile_data();
  void seedsMissingFile();
  void seedsEmptyFile_data();
  void seedsEmptyFile();
  void defaultFilePath_data();
  void defaultFilePath();
  void roundTrip_data();
  void roundTrip();
  void keepsOrderAndReplacesInPlace();
  void readsHandWrittenFile_data();
  void readsHandWrittenFile();
  void matchesWithoutCase_data();
  void matchesWithoutCase();
  void keyExistence_data();
  void keyExistence();
  void reportsCorruptFile_data();
  void reportsCorruptFile();
  void reportsUnreadableFile_data();
  void reportsUnreadableFile();
  void reportsWriteFailure_data();
  void reportsWriteFailure();
  void writesThroughLink_data();
  void writesThroughLink();
  void removesStaleTemporaries_data();
  void removesStaleTemporaries();
  void readsLargeFile();
  void readRegistryText_data();
  void readRegistryText();
  void readRegistryTextPassesStoreErrorsOn();
};

void RegistryStoreTest::seedsMissingFile_data() {
  QTest::addColumn<bool>("dataHomeSet");
  QTest::addColumn<QByteArray>("dataHome");
  QTest::addColumn<QByteArray>("home");
  QTest::addColumn<QString>("fontsFolder");

  QTest::newRow("XDG_DATA_HOME") << true << QByteArray("/srv/u/data") << QByteArray("/home/u")
                                 << "/srv/u/data/fonts";
  QTest::newRow("XDG_DATA_HOME with trailing slash")
      << true << QByteArray("/srv/u/data/") << QByteArray("/home/u") << "/srv/u/data/fonts";
  QTest::newRow("XDG_DATA_HOME unset")
      << false << QByteArray() << QByteArray("/home/u") << "/home/u/.local/share/fonts";
  QTest::newRow("XDG_DATA_HOME empty")
      << true << QByteArray("") << QByteArray("/home/u") << "/home/u/.local/share/fonts";
  QTest::newRow("XDG_DATA_HOME relative is ignored")
      << true << QByteArray("data") << QByteArray("/home/u") << "/home/u/.local/share/fonts";
  QTest::newRow("HOME with trailing slash")
      << false << QByteArray() << QByteArray("/home/u/") << "/home/u/.local/share/fonts";
}

void RegistryStoreTest::seedsMissingFile() {
  QFETCH(bool, dataHomeSet);
  QFETCH(QByteArray, dataHome);
  QFETCH(QByteArray, home);
  QFETCH(QString, fontsFolder);

  TempDir dir;
  const std::string path = dir.File("config/glyphera/registry");  // folders missing too
  {
    EnvironmentScope environment;
    SetOrUnset(environment, "XDG_DATA_HOME", dataHomeSet, dataHome);
    environment.Set("HOME", home);
    RegistryStore store(path);
    QCOMPARE(Describe(store.QueryValue(RegistryRoot::CurrentUser, kShellFolders, "Fonts")),
             "text:" + fontsFolder);
    QVERIFY(store.KeyExists(RegistryRoot::LocalMachine, kWindowsFonts));
  }
  QVERIFY(fs::is_regular_file(path));

  // A second store must find both keys in the file rather than seed again from the (now
  // different) environment.
  EnvironmentScope environment;
  environment.Set("XDG_DATA_HOME", "/elsewhere");
  environment.Set("HOME", "/nowhere");
  RegistryStore reopened(path);
  QCOMPARE(Describe(reopened.QueryValue(RegistryRoot::CurrentUser, kShellFolders, "Fonts")),
           "text:" + fontsFolder);
  QVERIFY(reopened.KeyExists(RegistryRoot::LocalMachine, kWindowsFonts));
}

void RegistryStoreTest::seedsEmptyFile_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::newRow("0 bytes") << QByteArray("");
  QTest::newRow("line feeds") << QByteArray("\n\n");
  QTest::newRow("spaces, tabs and CRLF") << QByteArray(" \t\r\n\r\n  ");
}

void RegistryStoreTest::seedsEmptyFile() {
  QFETCH(QByteArray, content);

  TempDir dir;
  const std::string path = dir.File("registry");
  WriteBytes(path, content.toStdString());
  {
    EnvironmentScope environment;
    environment.Set("XDG_DATA_HOME", "/srv/u/data");
    RegistryStore store(path);
    QCOMPARE(Describe(store.QueryValue(RegistryRoot::CurrentUser, kShellFolders, "Fonts")),
             "text:/srv/u/data/fonts");
    QVERIFY(store.KeyExists(RegistryRoot::LocalMachine, kWindowsFonts));
  }
  // The seed reached the file: another environment does not change what is read.
  EnvironmentScope environment;
  environment.Set("XDG_DATA_HOME", "/elsewhere");
  RegistryStore reopened(path);
  QCOMPARE(Describe(reopened.QueryValue(RegistryRoot::CurrentUser, kShellFolders, "Fonts")),
           "text:/srv/u/data/fonts");
}

void RegistryStoreTest::defaultFilePath_data() {
  QTest::addColumn<bool>("configHomeSet");
  QTest::addColumn<QByteArray>("configHome");
  QTest::addColumn<QString>("expected");

  QTest::newRow("XDG_CONFIG_HOME")
      << true << QByteArray("/srv/cfg") << "/srv/cfg/glyphera/registry";
  QTest::newRow("XDG_CONFIG_HOME with trailing slash")
      << true << QByteArray("/srv/cfg/") << "/srv/cfg/glyphera/registry";
  QTest::newRow("XDG_CONFIG_HOME unset")
      << false << QByteArray() << "/home/u/.config/glyphera/registry";
  QTest::newRow("XDG_CONFIG_HOME empty")
      << true << QByteArray("") << "/home/u/.config/glyphera/registry";
  QTest::newRow("XDG_CONFIG_HOME relative is ignored")
      << true << QByteArray("cfg") << "/home/u/.config/glyphera/registry";
}

void RegistryStoreTest::defaultFilePath() {
  QFETCH(bool, configHomeSet);
  QFETCH(QByteArray, configHome);
  QFETCH(QString, expected);

  EnvironmentScope environment;
  SetOrUnset(environment, "XDG_CONFIG_HOME", configHomeSet, configHome);
  environment.Set("HOME", "/home/u");
  QCOMPARE(QString::fromStdString(RegistryStore::DefaultFilePath()), expected);
}

void RegistryStoreTest::roundTrip_data() {
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<RegistryType>("type");
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<uint>("number");

  const QByteArray key = "Software\\Glyphera";
  const auto text = RegistryType::Text;
  QTest::newRow("text") << key << QByteArray("Folder") << text << QByteArray("/home/u/fonts") << 0u;
  QTest::newRow("expandable text") << key << QByteArray("Path") << RegistryType::ExpandableText
                                   << QByteArray("%USERPROFILE%\\Fonts;$HOME") << 0u;
  QTest::newRow("number zero") << key << QByteArray("Count") << RegistryType::Number << QByteArray()
                               << 0u;
  QTest::newRow("largest number") << key << QByteArray("Count") << RegistryType::Number
                                  << QByteArray() << 4294967295u;
  QTest::newRow("backslashes and quotes")
      << key << QByteArray("Folder") << text << QByteArray("C:\\dir\\\"quoted\"\\") << 0u;
  QTest::newRow("escape look-alike")
      << key << QByteArray("Folder") << text << QByteArray("\\n is not a line break\\") << 0u;
  QTest::newRow("line breaks") << key << QByteArray("Folder") << text
                               << QByteArray("one\ntwo\r\nthree\rfour\n") << 0u;
  // A bare CR at the end of a line would be taken for a Windows line end and dropped.
  QTest::newRow("carriage return at the end")
      << key << QByteArray("Folder") << text << QByteArray("ends with CR\r") << 0u;
  QTest::newRow("UTF-8") << key << QByteArray("Folder") << text
                         << QByteArray("Schriftenübersicht ✓ 字体") << 0u;
  QTest::newRow("file name that is not UTF-8") << key << QByteArray("Caf\xC3\xA9 (True Type)")
                                               << text << QByteArray("caf\xE9\x80.ttf") << 0u;
  QTest::newRow("equals, colon, brackets")
      << key << QByteArray("Folder") << text << QByteArray("a=b:c [x] \"=text:") << 0u;
  QTest::newRow("surrounding spaces")
      << key << QByteArray("Folder") << text << QByteArray("  padded \t") << 0u;
  QTest::newRow("empty text") << key << QByteArray("Folder") << text << QByteArray("") << 0u;
  QTest::newRow("awkward value name")
      << key << QByteArray("na\"me\\with=\nbreak\r; ") << text << QByteArray("x") << 0u;
  QTest::newRow("empty value name") << key << QByteArray("") << text << QByteArray("default") << 0u;
  QTest::newRow("key with spaces, brackets, UTF-8")
      << QByteArray("Software\\Glyphera [Fonts]\\Ünïcode ; x=y") << QByteArray("Folder") << text
      << QByteArray("x") << 0u;
  QTest::newRow("value on the root key")
      << QByteArray("") << QByteArray("Folder") << text << QByteArray("top") << 0u;
}

void RegistryStoreTest::roundTrip() {
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, name);
  QFETCH(RegistryType, type);
  QFETCH(QByteArray, text);
  QFETCH(uint, number);

  TempDir dir;
  const std::string path = dir.File("registry");
  const RegistryValue value = MakeValue(type, text.toStdString(), number);
  RegistryStore store(path);
  store.SetValue(RegistryRoot::CurrentUser, key.toStdString(), name.toStdString(), value);
  QCOMPARE(
      Describe(store.QueryValue(RegistryRoot::CurrentUser, key.toStdString(), name.toStdString())),
      Describe(value));

  RegistryStore reopened(path);
  QCOMPARE(Describe(reopened.QueryValue(RegistryRoot::CurrentUser, key.toStdString(),
                                        name.toStdString())),
           Describe(value));
  // Bytes that are not UTF-8 would look alike in the descriptions.
  QCOMPARE(
      reopened.QueryValue(RegistryRoot::CurrentUser, key.toStdString(), name.toStdString())->Text,
      value.Text);
  // The write kept what was there before.
  QVERIFY(reopened.QueryValue(RegistryRoot::CurrentUser, kShellFolders, "Fonts").has_value());
  QVERIFY(reopened.KeyExists(RegistryRoot::LocalMachine, kWindowsFonts));
}

void RegistryStoreTest::keepsOrderAndReplacesInPlace() {
  TempDir dir;
  const std::string path = dir.File("registry");
  {
    RegistryStore store(path);
    store.SetValue(RegistryRoot::CurrentUser, "Software\\First", "Zulu",
                   MakeValue(RegistryType::Text, "1"));
    store.SetValue(RegistryRoot::CurrentUser, "Software\\First", "Alpha",
                   MakeValue(RegistryType::Text, "2"));
    store.SetValue(RegistryRoot::CurrentUser, "Software\\Aardvark", "Mid",
                   MakeValue(RegistryType::Text, "3"));
    store.SetValue(RegistryRoot::CurrentUser, "software\\first", "ZULU",
                   MakeValue(RegistryType::Number, "", 4));
  }
  const std::string text = StoredBytes(path).toStdString();
  const auto at = [&text](const std::string& line) { return text.find("\n" + line + "\n"); };

  // Creation order, not sorted; the replaced value stays where it was, under its first spelling.
  const std::size_t first = at("[HKEY_CURRENT_USER\\Software\\First]");
  const std::size_t zulu = at("\"Zulu\"=number:4");
  const std::size_t alpha = at("\"Alpha\"=text:2");
  const std::size_t second = at("[HKEY_CURRENT_USER\\Software\\Aardvark]");
  QVERIFY2(first != std::string::npos && zulu != std::string::npos && alpha != std::string::npos &&
               second != std::string::npos,
           text.c_str());
  QVERIFY2(first < zulu && zulu < alpha && alpha < second, text.c_str());
  QVERIFY2(text.find("ZULU") == std::string::npos, text.c_str());
  QVERIFY2(text.find("=text:1") == std::string::npos, text.c_str());

  RegistryStore reopened(path);
  QCOMPARE(Describe(reopened.QueryValue(RegistryRoot::CurrentUser, "Software\\First", "zulu")),
           "number:4");
}

void RegistryStoreTest::readsHandWrittenFile_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<RegistryRoot>("root");
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QString>("expected");

  const auto user = RegistryRoot::CurrentUser;
  QTest::newRow("CRLF line ends") << QByteArray("[HKEY_CURRENT_USER\\S]\r\n\"a\"=text:x\r\n")
                                  << user << QByteArray("S") << QByteArray("a") << "text:x";
  QTest::newRow("no line feed at the end")
      << QByteArray("[HKEY_CURRENT_USER\\S]\n\"a\"=number:7") << user << QByteArray("S")
      << QByteArray("a") << "number:7";
  QTest::newRow("comments and blank lines")
      << QByteArray("; note\n\n[HKEY_CURRENT_USER\\S]\n \t\n;\"a\"=text:no\n\"a\"=text:yes\n")
      << user << QByteArray("S") << QByteArray("a") << "text:yes";
  const QByteArray twice =
      "[HKEY_CURRENT_USER\\S]\n\"a\"=text:1\n[HKEY_LOCAL_MACHINE\\S]\n\"b\"=text:2\n"
      "[hkey_current_user\\\\s\\]\n\"b\"=text:3\n";
  QTest::newRow("key written twice, first part")
      << twice << user << QByteArray("S") << QByteArray("a") << "text:1";
  QTest::newRow("key written twice, second part")
      << twice << user << QByteArray("S") << QByteArray("b") << "text:3";
  QTest::newRow("same path under the other root")
      << twice << RegistryRoot::LocalMachine << QByteArray("S") << QByteArray("b") << "text:2";
  QTest::newRow("bare quote in the data")
      << QByteArray("[HKEY_CURRENT_USER\\S]\n\"a\"=text:say \"hi\"\n") << user << QByteArray("S")
      << QByteArray("a") << "text:say \"hi\"";
  QTest::newRow("value on the root key")
      << QByteArray("[HKEY_CURRENT_USER]\n\"a\"=expandable:%X%\n") << user << QByteArray("")
      << QByteArray("a") << "expandable:%X%";
  QTest::newRow("only a comment") << QByteArray("; Glyphera registry\n") << user
                                  << QByteArray(kShellFolders.c_str()) << QByteArray("Fonts")
                                  << "missing";
}

void RegistryStoreTest::readsHandWrittenFile() {
  QFETCH(QByteArray, content);
  QFETCH(RegistryRoot, root);
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, name);
  QFETCH(QString, expected);

  TempDir dir;
  const std::string path = dir.File("registry");
  WriteBytes(path, content.toStdString());
  RegistryStore store(path);
  QCOMPARE(Describe(store.QueryValue(root, key.toStdString(), name.toStdString())), expected);
  // Reading alone never rewrites the user's file.
  QCOMPARE(StoredBytes(path), content);
}

void RegistryStoreTest::matchesWithoutCase_data() {
  QTest::addColumn<RegistryRoot>("root");
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<bool>("found");

  const auto user = RegistryRoot::CurrentUser;
  QTest::newRow("as written") << user << QByteArray("Software\\Glyphera\\Settings")
                              << QByteArray("FontFolder") << true;
  QTest::newRow("key in upper case")
      << user << QByteArray("SOFTWARE\\GLYPHERA\\SETTINGS") << QByteArray("FontFolder") << true;
  QTest::newRow("name in lower case")
      << user << QByteArray("Software\\Glyphera\\Settings") << QByteArray("fontfolder") << true;
  QTest::newRow("stray backslashes") << user << QByteArray("\\Software\\\\glyphera\\Settings\\\\")
                                     << QByteArray("FONTFOLDER") << true;
  QTest::newRow("other root") << RegistryRoot::LocalMachine
                              << QByteArray("Software\\Glyphera\\Settings")
                              << QByteArray("FontFolder") << false;
  QTest::newRow("parent key") << user << QByteArray("Software\\Glyphera")
                              << QByteArray("FontFolder") << false;
  QTest::newRow("longer name") << user << QByteArray("Software\\Glyphera\\Settings")
                               << QByteArray("FontFolders") << false;
  QTest::newRow("key with a space inside")
      << user << QByteArray("Software\\Glyphera \\Settings") << QByteArray("FontFolder") << false;
}

void RegistryStoreTest::matchesWithoutCase() {
  QFETCH(RegistryRoot, root);
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, name);
  QFETCH(bool, found);

  TempDir dir;
  RegistryStore store(dir.File("registry"));
  FakeRegistry fake;
  for (IRegistry* registry : std::initializer_list<IRegistry*>{&store, &fake}) {
    registry->SetValue(RegistryRoot::CurrentUser, "Software\\Glyphera\\Settings", "FontFolder",
                       MakeValue(RegistryType::Text, "/f"));
    const QString which = registry == &store ? "store" : "fake";
    const bool actual =
        registry->QueryValue(root, key.toStdString(), name.toStdString()).has_value();
    QCOMPARE(which + (actual ? " found" : " missing"), which + (found ? " found" : " missing"));
  }
}

void RegistryStoreTest::keyExistence_data() {
  QTest::addColumn<RegistryRoot>("root");
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<bool>("exists");

  const auto machine = RegistryRoot::LocalMachine;
  QTest::newRow("the key itself") << machine << QByteArray(kWindowsFonts.c_str()) << true;
  QTest::newRow("a parent") << machine << QByteArray("Software\\Microsoft") << true;
  QTest::newRow("top key in another case") << machine << QByteArray("SOFTWARE") << true;
  QTest::newRow("parent with stray backslashes")
      << machine << QByteArray("\\Software\\\\microsoft\\") << true;
  QTest::newRow("the root") << machine << QByteArray("") << true;
  QTest::newRow("part of a key name") << machine << QByteArray("Software\\Micro") << false;
  QTest::newRow("a child") << machine << QByteArray((kWindowsFonts + "\\Arial").c_str()) << false;
  QTest::newRow("a sibling") << machine << QByteArray("Software\\Microsoft\\Windows") << false;
  QTest::newRow("same path under the other root")
      << RegistryRoot::CurrentUser << QByteArray("Software\\Microsoft\\Windows NT") << false;
}

void RegistryStoreTest::keyExistence() {
  QFETCH(RegistryRoot, root);
  QFETCH(QByteArray, key);
  QFETCH(bool, exists);

  TempDir dir;
  const std::string path = dir.File("registry");
  RegistryStore store(path);  // seeded: the Windows NT Fonts key and Shell Folders
  FakeRegistry fake;
  fake.AddKey(RegistryRoot::LocalMachine, kWindowsFonts);
  fake.SetValue(RegistryRoot::CurrentUser, kShellFolders, "Fonts",
                MakeValue(RegistryType::Text, "/f"));

  for (IRegistry* registry : std::initializer_list<IRegistry*>{&store, &fake}) {
    const QString which = registry == &store ? "store" : "fake";
    // Asked twice: asking must not create the key.
    for (int round = 0; round < 2; ++round) {
      const bool actual = registry->KeyExists(root, key.toStdString());
      QCOMPARE(which + (actual ? " exists" : " missing"),
               which + (exists ? " exists" : " missing"));
    }
  }
  RegistryStore reopened(path);
  QCOMPARE(reopened.KeyExists(root, key.toStdString()), exists);
}

void RegistryStoreTest::reportsCorruptFile_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<int>("line");

  const QByteArray header = "[HKEY_CURRENT_USER\\Software]\n";
  QTest::newRow("value before any key") << QByteArray("\"Fonts\"=text:/f\n") << 1;
  QTest::newRow("unknown root") << QByteArray("; note\n[HKEY_CLASSES_ROOT\\Software]\n") << 2;
  QTest::newRow("header without closing bracket")
      << QByteArray("[HKEY_CURRENT_USER\\Software\n") << 1;
  QTest::newRow("unknown type") << header + "\"a\"=text:x\n\"b\"=binary:00\n" << 3;
  QTest::newRow("single backslash in a path") << header + "\"a\"=text:C:\\Fonts\n" << 2;
  QTest::newRow("backslash at the end") << header + "\"a\"=text:x\\\n" << 2;
  QTest::newRow("unterminated name") << header + "\"a=text:x\n" << 2;
  QTest::newRow("no equals sign") << header + "\"a\" text:x\n" << 2;
  QTest::newRow("no type") << header + "\"a\"=x\n" << 2;
  QTest::newRow("number with letters") << header + "\"n\"=number:12a\n" << 2;
  QTest::newRow("negative number") << header + "\"n\"=number:-1\n" << 2;
  QTest::newRow("number too large") << header + "\"n\"=number:4294967296\n" << 2;
  QTest::newRow("empty number") << header + "\"n\"=number:\n" << 2;
  QTest::newRow("bare line") << header + "Fonts=/f\n" << 2;
  QTest::newRow("line count includes blank lines and CRLF")
      << QByteArray("\r\n\r\n[HKEY_CURRENT_USER\\S]\r\n\r\ngarbage\r\n") << 5;
}

void RegistryStoreTest::reportsCorruptFile() {
  QFETCH(QByteArray, content);
  QFETCH(int, line);

  TempDir dir;
  const std::string path = dir.File("registry");
  WriteBytes(path, content.toStdString());
  const QString expected = QString("The registry store %1 is corrupt (line %2)")
                               .arg(QString::fromStdString(path))
                               .arg(line);

  RegistryStore store(path);
  QCOMPARE(ErrorOf([&] { store.QueryValue(RegistryRoot::CurrentUser, "Software", "a"); }),
           expected);
  QCOMPARE(ErrorOf([&] { store.KeyExists(RegistryRoot::LocalMachine, "Software"); }), expected);
  QCOMPARE(ErrorOf([&] {
             store.SetValue(RegistryRoot::CurrentUser, "Software", "a",
                            MakeValue(RegistryType::Text, "replacement"));
           }),
           expected);
  // The store was opened after the damage too: the first call in any order reports it.
  RegistryStore writer(path);
  QCOMPARE(ErrorOf([&] {
             writer.SetValue(RegistryRoot::CurrentUser, "Software", "a",
                             MakeValue(RegistryType::Text, "replacement"));
           }),
           expected);

  QCOMPARE(StoredBytes(path), content);
  QCOMPARE(FolderEntries(dir.Path()), QStringList{"registry"});
}

void RegistryStoreTest::reportsUnreadableFile_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("message");  // after "The registry store <path> "; %1 is the folder
  QTest::newRow("folder in the file's place") << "folder"
                                              << "cannot be read";
  QTest::newRow("file without read permission") << "file"
                                                << "cannot be read";
  QTest::newRow("link into a missing folder")
      << "link"
      << "is a link to %1/gone/registry, in a folder that does not exist";
}

void RegistryStoreTest::reportsUnreadableFile() {
  QFETCH(QString, kind);
  QFETCH(QString, message);
  const bool directory = kind == "folder";

  TempDir dir;
  const std::string path = dir.File("registry");
  const std::string content = "[HKEY_CURRENT_USER\\Software]\n\"a\"=text:keep\n";
  if (directory) {
    fs::create_directory(path);
  } else if (kind == "link") {
    fs::create_symlink(dir.File("gone/registry"), path);
  } else {
    WriteBytes(path, content);
    fs::permissions(path, fs::perms::none);
    if (std::ifstream(path).is_open()) {
      fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
      QSKIP("This user reads files whatever their permissions (root)");
    }
  }
  const QString expected = QString("The registry store %1 ").arg(QString::fromStdString(path)) +
                           QString(message).replace("%1", QString::fromStdString(dir.Path()));

  RegistryStore store(path);  // does not throw: nothing is read yet
  QCOMPARE(ErrorOf([&] { store.QueryValue(RegistryRoot::CurrentUser, "Software", "a"); }),
           expected);
  QCOMPARE(ErrorOf([&] { store.KeyExists(RegistryRoot::CurrentUser, "Software"); }), expected);
  QCOMPARE(ErrorOf([&] {
             store.SetValue(RegistryRoot::CurrentUser, "Software", "a",
                            MakeValue(RegistryType::Text, "replacement"));
           }),
           expected);

  if (directory) {
    QVERIFY(fs::is_directory(path));
    QVERIFY(fs::is_empty(path));
  } else if (kind == "file") {
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    QCOMPARE(StoredBytes(path), QByteArray::fromStdString(content));
  }
  QCOMPARE(FolderEntries(dir.Path()), QStringList{"registry"});
}

void RegistryStoreTest::reportsWriteFailure_data() {
  QTest::addColumn<bool>("readOnlyFolder");
  QTest::newRow("folder path runs through a file") << false;
  QTest::newRow("read-only folder holding the store") << true;
}

void RegistryStoreTest::reportsWriteFailure() {
  QFETCH(bool, readOnlyFolder);

  EnvironmentScope environment;
  environment.Set("XDG_DATA_HOME", "/srv/u/data");
  TempDir dir;
  std::string folder;
  QByteArray before;
  if (readOnlyFolder) {
    folder = dir.File("config");
    fs::create_directory(folder);
    RegistryStore(folder + "/registry")
        .SetValue(RegistryRoot::CurrentUser, "Software", "a", MakeValue(RegistryType::Text, "old"));
    before = StoredBytes(folder + "/registry");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(folder + "/probe").is_open()) {
      fs::remove(folder + "/probe");
      fs::permissions(folder, fs::perms::owner_all);
      QSKIP("This user writes into read-only folders (root)");
    }
  } else {
    folder = dir.File("blocker");
    WriteBytes(folder, "not a folder");
  }
  const std::string path = folder + "/registry";

  RegistryStore store(path);
  // Whether seeded into the file or (without a folder to hold it) only into memory, the seed is
  // served.
  QCOMPARE(Describe(store.QueryValue(RegistryRoot::CurrentUser, kShellFolders, "Fonts")),
           "text:/srv/u/data/fonts");
  const QString oldValue = readOnlyFolder ? "text:old" : "missing";
  QCOMPARE(Describe(store.QueryValue(RegistryRoot::CurrentUser, "Software", "a")), oldValue);

  QCOMPARE(ErrorOf([&] {
             store.SetValue(RegistryRoot::CurrentUser, "Software", "a",
                            MakeValue(RegistryType::Text, "new"));
           }),
           "Unable to write to " + QString::fromStdString(path));
  // Memory still matches the file, so a retry or a later read does not see a value never saved.
  QCOMPARE(Describe(store.QueryValue(RegistryRoot::CurrentUser, "Software", "a")), oldValue);

  if (readOnlyFolder) {
    fs::permissions(folder, fs::perms::owner_all);
    QCOMPARE(StoredBytes(path), before);
    QCOMPARE(FolderEntries(folder), (QStringList{".registry.lock", "registry"}));
  } else {
    QCOMPARE(StoredBytes(folder), QByteArray("not a folder"));
  }
}

void RegistryStoreTest::writesThroughLink_data() {
  QTest::addColumn<QString>("linkText");  // what config/registry points to; %1 is the test folder
  QTest::addColumn<bool>("chained");      // through config/middle, itself a link to linkText
  QTest::addColumn<bool>("targetExists");

  QTest::newRow("absolute link") << "%1/dotfiles/glyphera-registry" << false << true;
  QTest::newRow("relative link") << "../dotfiles/glyphera-registry" << false << true;
  QTest::newRow("link to a link") << "../dotfiles/glyphera-registry" << true << true;
  QTest::newRow("dangling link") << "../dotfiles/glyphera-registry" << false << false;
}

void RegistryStoreTest::writesThroughLink() {
  QFETCH(QString, linkText);
  QFETCH(bool, chained);
  QFETCH(bool, targetExists);

  TempDir dir;
  const std::string link = dir.File("config/registry");
  const std::string middle = dir.File("config/middle");
  const std::string target = dir.File("dotfiles/glyphera-registry");
  fs::create_directories(dir.File("config"));
  fs::create_directories(dir.File("dotfiles"));
  if (targetExists) WriteBytes(target, "[HKEY_CURRENT_USER\\Software]\n\"kept\"=text:yes\n");
  const std::string pointsTo =
      QString(linkText).replace("%1", QString::fromStdString(dir.Path())).toStdString();
  if (chained) {
    fs::create_symlink(pointsTo, middle);
    fs::create_symlink("middle", link);
  } else {
    fs::create_symlink(pointsTo, link);
  }

  RegistryStore(link).SetValue(RegistryRoot::CurrentUser, "Software", "new",
                               MakeValue(RegistryType::Text, "value"));

  QVERIFY(fs::is_symlink(link));
  QCOMPARE(fs::is_symlink(middle), chained);
  const QStringList links = chained ? QStringList{"middle", "registry"} : QStringList{"registry"};
  QCOMPARE(FolderEntries(dir.File("config")), links);
  QCOMPARE(FolderEntries(dir.File("dotfiles")),
           (QStringList{".glyphera-registry.lock", "glyphera-registry"}));
  RegistryStore atTarget(target);
  QCOMPARE(Describe(atTarget.QueryValue(RegistryRoot::CurrentUser, "Software", "new")),
           "text:value");
  QCOMPARE(Describe(atTarget.QueryValue(RegistryRoot::CurrentUser, "Software", "kept")),
           targetExists ? "text:yes" : "missing");
}

void RegistryStoreTest::removesStaleTemporaries_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("old");  // last written minutes ago
  QTest::addColumn<bool>("removed");
  QTest::addColumn<QString>("kind");  // file, folder or link (to an old file)

  QTest::newRow("old temporary") << "registry.tmp-0123abcd" << true << true << "file";
  QTest::newRow("temporary being written") << "registry.tmp-0123abcd" << false << false << "file";
  QTest::newRow("seven digits") << "registry.tmp-0123abc" << true << false << "file";
  QTest::newRow("nine digits") << "registry.tmp-0123abcde" << true << false << "file";
  QTest::newRow("upper-case digits") << "registry.tmp-0123ABCD" << true << false << "file";
  QTest::newRow("not hex") << "registry.tmp-0123abcg" << true << false << "file";
  QTest::newRow("another file's temporary") << "settings.tmp-0123abcd" << true << false << "file";
  QTest::newRow("hidden temporary") << ".registry.tmp-0123abcd" << true << false << "file";
  QTest::newRow("folder") << "registry.tmp-0123abcd" << true << false << "folder";
  QTest::newRow("link") << "registry.tmp-0123abcd" << true << false << "link";
  // A name that says its writer is kept as long as that process runs, however stalled.
  QTest::newRow("writer runs") << ".registry.tmp-%live-0123abcz" << true << false << "file";
  QTest::newRow("writer ended") << ".registry.tmp-%ended-0123abcz" << false << true << "file";
}

void RegistryStoreTest::removesStaleTemporaries() {
  QFETCH(QString, name);
  QFETCH(bool, old);
  QFETCH(bool, removed);
  QFETCH(QString, kind);

  TempDir dir;
  const std::string entry = dir.File(WithProcessIds(name).toStdString());
  const std::string linked = dir.File("linked");
  if (kind == "folder") {
    fs::create_directory(entry);
  } else if (kind == "link") {
    WriteBytes(linked, "x");
    fs::create_symlink(linked, entry);
  } else {
    WriteBytes(entry, "x");
  }
  if (old) {
    fs::last_write_time(entry, fs::file_time_type::clock::now() - std::chrono::minutes(5));
  }

  RegistryStore store(dir.File("registry"));
  store.KeyExists(RegistryRoot::CurrentUser, "Software");

  const bool present = fs::symlink_status(entry).type() != fs::file_type::not_found;
  QCOMPARE(present ? "present" : "removed", removed ? "removed" : "present");
  if (kind == "link") QCOMPARE(ReadBytes(linked), std::string("x"));
}

void RegistryStoreTest::readsLargeFile() {
  constexpr int kKeys = 40000;
  std::string content = "; Glyphera registry\n";
  const auto face = [](int i) { return "Software\\Glyphera\\Face " + std::to_string(i); };
  for (int i = 0; i < kKeys; ++i) {
    content += "\n[HKEY_CURRENT_USER\\" + face(i) + "]\n\"File\"=text:/f/" + std::to_string(i) +
               "\n\"Size\"=number:" + std::to_string(i) + "\n";
  }
  // Written again at the end, in another case: still the first key, its value replaced in place.
  content += "[hkey_current_user\\SOFTWARE\\glyphera\\face 0]\n\"FILE\"=text:/again\n";

  TempDir dir;
  const std::string path = dir.File("registry");
  WriteBytes(path, content);
  RegistryStore store(path);
  for (int i : {1, kKeys / 2, kKeys - 1}) {
    QCOMPARE(Describe(store.QueryValue(RegistryRoot::CurrentUser, face(i), "File")),
             "text:/f/" + QString::number(i));
    QCOMPARE(Describe(store.QueryValue(RegistryRoot::CurrentUser, face(i), "size")),
             "number:" + QString::number(i));
  }
  QCOMPARE(Describe(store.QueryValue(RegistryRoot::CurrentUser, face(0), "File")), "text:/again");
  QVERIFY(!store.KeyExists(RegistryRoot::CurrentUser, face(kKeys)));
}

void RegistryStoreTest::readRegistryText_data() {
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QString>("expected");

  QTest::newRow("missing key") << QByteArray("Software\\Missing") << QByteArray("Folder") << "";
  QTest::newRow("missing value") << QByteArray("Software\\Glyphera") << QByteArray("Other") << "";
  QTest::newRow("text") << QByteArray("Software\\Glyphera") << QByteArray("Folder")
                        << "/home/u/fonts";
  QTest::newRow("expandable text is not expanded")
      << QByteArray("Software\\Glyphera") << QByteArray("Path") << "%HOME%\\Fonts $HOME";
  QTest::newRow("number") << QByteArray("Software\\Glyphera") << QByteArray("Fonts")
                          << "error: Invalid data type for 'Fonts'";
}

void RegistryStoreTest::readRegistryText() {
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, name);
  QFETCH(QString, expected);

  TempDir dir;
  RegistryStore store(dir.File("registry"));
  FakeRegistry fake;
  for (IRegistry* registry : std::initializer_list<IRegistry*>{&store, &fake}) {
    const std::string glyphera = "Software\\Glyphera";
    registry->SetValue(RegistryRoot::CurrentUser, glyphera, "Folder",
                       MakeValue(RegistryType::Text, "/home/u/fonts"));
    registry->SetValue(RegistryRoot::CurrentUser, glyphera, "Path",
                       MakeValue(RegistryType::ExpandableText, "%HOME%\\Fonts $HOME"));
    registry->SetValue(RegistryRoot::CurrentUser, glyphera, "Fonts",
                       MakeValue(RegistryType::Number, "", 3));

    const QString which = registry == &store ? "store: " : "fake: ";
    QString actual;
    const QString error = ErrorOf([&] {
      actual = QString::fromStdString(ReadRegistryText(*registry, RegistryRoot::CurrentUser,
                                                       key.toStdString(), name.toStdString()));
    });
    if (error != "<no error>") actual = "error: " + error;
    QCOMPARE(which + actual, which + expected);
  }
}

void RegistryStoreTest::readRegistryTextPassesStoreErrorsOn() {
  TempDir dir;
  const std::string path = dir.File("registry");
  WriteBytes(path, "garbage\n");
  RegistryStore store(path);
  QCOMPARE(
      ErrorOf([&] { ReadRegistryText(store, RegistryRoot::CurrentUser, kShellFolders, "Fonts"); }),
      QString("The registry store %1 is corrupt (line 1)").arg(QString::fromStdString(path)));
}

QTEST_GUILESS_MAIN(RegistryStoreTest)
#include "RegistryStoreTest.moc"

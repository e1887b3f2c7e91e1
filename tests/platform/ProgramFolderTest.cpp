#include <QtTest>
#include <filesystem>

#include "fixtures/FileBytes.h"
#include "fixtures/TempDir.h"
#include "platform/storage/ProgramFolder.h"

// Where a copy of the program keeps its settings file and finds its help file.
class ProgramFolderTest : public QObject {
  Q_OBJECT
 private slots:
  void settingsFile();
  void folderFacts();
  void dataFile();
};

void ProgramFolderTest::settingsFile() {
  struct Row {
    const char* name;
    ProgramFolder::Facts facts;
    bool beside;
  };
  const Row rows[] = {
      {"build folder", {false, true, true}, true},
      {"portable copy", {true, false, true}, true},
      {"portable copy in a folder the user cannot write", {true, false, false}, true},
      {"installed copy", {false, false, false}, false},
      {"copy in a folder of the user's own, without settings", {false, false, true}, false},
      {"build folder the user cannot write", {false, true, false}, false},
  };
  for (const Row& row : rows) {
    const std::string file =
        ProgramFolder::SettingsFile("/opt/g/bin/", "GLYPHERA.INI", row.facts, "/home/u/.config/g");
    QVERIFY2(file == (row.beside ? "/opt/g/bin/GLYPHERA.INI" : "/home/u/.config/g/GLYPHERA.INI"),
             row.name);
  }
}

void ProgramFolderTest::folderFacts() {
  TempDir dir;
  const std::string folder = dir.Path() + "/";
  ProgramFolder::Facts facts = ProgramFolder::Inspect(folder, "GLYPHERA.INI");
  QVERIFY(!facts.HoldsWritableSettings && !facts.IsBuildFolder && facts.Writable);
  WriteBytes(dir.File("CMakeCache.txt"), "");
  WriteBytes(dir.File("GLYPHERA.INI"), "");
  facts = ProgramFolder::Inspect(folder, "GLYPHERA.INI");
  QVERIFY(facts.HoldsWritableSettings && facts.IsBuildFolder);
}

void ProgramFolderTest::dataFile() {
  TempDir dir;
  const std::string bin = dir.File("usr/bin") + "/";
  std::filesystem::create_directories(bin);
  // Nowhere: the path beside the program, for the message that names it.
  QCOMPARE(ProgramFolder::DataFile(bin, "GLYPHERA.HLP", "../share/glyphera"), bin + "GLYPHERA.HLP");
  WriteBytes(dir.File("usr/share/glyphera/GLYPHERA.HLP"), "installed");
  QCOMPARE(ProgramFolder::DataFile(bin, "GLYPHERA.HLP", "../share/glyphera"),
           dir.File("usr/share/glyphera/GLYPHERA.HLP"));
  WriteBytes(bin + "GLYPHERA.HLP", "beside");
  QCOMPARE(ProgramFolder::DataFile(bin, "GLYPHERA.HLP", "../share/glyphera"), bin + "GLYPHERA.HLP");
}

QTEST_MAIN(ProgramFolderTest)
#include "ProgramFolderTest.moc"

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include "fixtures/FileBytes.h"

#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "fakes/FakeFontFileCheck.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeSystemFontCache.h"
#include "fixtures/CollectionBuilder.h"
#include "fixtures/FontToolsFaces.h"
#include "fixtures/MainWindowHarness.h"
#include "fixtures/TrueTypeBuilder.h"
#include "install/FontInstaller.h"
#include "install/PreviewFonts.h"
#include "install/PreviewInstallPage.h"
#include "install/TfrmInstalling.h"
#include "platform/desktop/QtMessageBoxes.h"
#include "platform/files/FileSystemShell.h"
#include "platform/fonts/FontconfigCache.h"
#include "platform/fonts/FreeTypeFontFileCheck.h"
#include "viewing/FontList.h"
#include "widgets/DesignScale.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint16_t kFamily = 1;
constexpr std::uint16_t kFullName = 4;

// The face "<Name> Regular" of the family <Name>, in its own file. Each name gives other bytes.
std::string FaceFile(const std::string& folder, const std::string& file, const std::string& name) {
  return TrueTypeBuilder()
      .MacName(kFamily, name)
      .MacName(kFullName, name + " Regular")
      .WriteTo(folder, file);
}

// The main window on fakes, with an installer built from its pieces. Files are really copied
// (the shell records each request and hands it to the file-system shell) into a temporary Fonts
// folder.
struct Installation {
  TempDir root;
  MainWindowHarness h;
  TfrmMain* form = nullptr;
  PreviewInstallPage* p = nullptr;
  std::unique_ptr<TfrmInstalling> ownedDialog;
  TfrmInstalling* dialog = nullptr;
  FileSystemShell disk{h.messages};
  FakeShell shell;
  FakeSystemFontCache cache;
  FakeFontFileCheck fontFiles;
  IFontFileCheck* fontCheck = &fontFiles;
  std::unique_ptr<FontInstaller> installer;
  std::string previewFolder;

  explicit Installation(const std::string& fontsFolder = "fonts") {
    h.SeedRegistry(root.File(fontsFolder));
    h.UseFonts({"Arial", "Courier New"});
    form = &h.Show();
    p = &form->tabInstall();
    form->PageControl1()->setCurrentIndex(static_cast<int>(Page::Install));
    shell.onRequest = [this](ShellRequest& request) { return disk.FileOperation(request); };
    ownedDialog = std::make_unique<TfrmInstalling>(DesignScale(h.screen.LogicalDpi()));
    dialog = ownedDialog.get();
    TfrmMain* window = form;
    Build([window] { return window->Parts().FontRegistryKey(); });
    UsePreviewFolder("preview");
  }

  void Build(std::function<std::string()> registryKey) {
    TfrmMain* window = form;
    installer = std::make_unique<FontInstaller>(
        InstallControls{*p->lstSelected, *p->cmdInstall, *p->cmdPreviewPrint, *p->cmdAdd,
                        *p->cmdAddAll, *p->cmdRemove, *p->cmdRemoveAll, *form->tabMain().lstFonts,
                        *dialog},
        InstallServices{shell, h.registry, h.fontTable, cache, h.messages, h.dispatch, *fontCheck},
        form->Parts().Preview().Reading(), form->Parts().Preview().Lists(), form->Parts().Fonts(),
        [window] { return window->Parts().FontsFolder(); }, std::move(registryKey));
  }

  void UseFontFileCheck(IFontFileCheck& check) {
    fontCheck = &check;
    TfrmMain* window = form;
    Build([window] { return window->Parts().FontRegistryKey(); });
  }

  const std::string& FontsFolder() const { return form->Parts().FontsFolder(); }
  std::string Font(const std::string& file) const { return FontsFolder() + file; }

  void UsePreviewFolder(const std::string& name) {
    previewFolder = root.File(name);
    fs::create_directories(previewFolder);
  }
  // A face file "<letter>.ttf" with the face "<Name> Regular" in the preview folder.
  std::string AddFace(const std::string& file, const std::string& name) {
    return FaceFile(previewFolder, file, name);
  }
  // Reads the preview folder and moves all its faces (or the first `count`) to the selected list.
  void SelectFaces(int count = -1) {
    p->Dir1->SetDirectory(previewFolder);
    QTest::mouseClick(p->cmdPreview, Qt::LeftButton);
    if (count < 0) {
      QTest::mouseClick(p->cmdAddAll, Qt::LeftButton);
    } else {
      for (int i = 0; i < count; ++i) {
        p->lstPreview->SetItemIndex(0);
        QTest::mouseClick(p->cmdAdd, Qt::LeftButton);
      }
    }
    h.fontTable.log.clear();
    h.messages.shown.clear();
    h.dispatch.calls = 0;
  }
  std::optional<std::string> Value(const std::string& name) {
    const auto value = h.registry.QueryValue(
        RegistryRoot::LocalMachine, form->Parts().FontRegistryKey(), name + " (True Type)");
    if (!value) return std::nullopt;
    return value->Text;
  }
  std::string LastMessage() const {
    return h.messages.shown.empty() ? std::string() : h.messages.shown.back().Text;
  }
  std::vector<std::string> Messages(MessageKind kind) const {
    std::vector<std::string> texts;
    for (const auto& shown : h.messages.shown) {
      if (shown.Kind == kind) texts.push_back(shown.Title + ": " + shown.Text);
    }
    return texts;
  }
};

}  // namespace

class FontInstallerTest : public QObject {
  Q_OBJECT
 private slots:
  void installsEachSelectedFace_data();
  void installsEachSelectedFace();
  void closingKeepsTheFontListAsItWas();
  void alreadyInstalledOnlyBySpelling_data();
  void alreadyInstalledOnlyBySpelling();
  void sameFileNameInTheFontsFolder_data();
  void sameFileNameInTheFontsFolder();
  void commaInThePaths();
  void faceThatCannotBeInstalled_data();
  void faceThatCannotBeInstalled();
  void fileThatOpensAsNoFont_data();
  void fileThatOpensAsNoFont();
  void fontFileCheckStaysWithinTheFile_data();
  void fontFileCheckStaysWithinTheFile();
  void missingFontsFolderIsCreated();
  void cancelFinishesTheFaceUnderWay();
  void cancelIsTakenWhileAMessageBoxIsOpen();
  void buttonsRestAndComeBack_data();
  void buttonsRestAndComeBack();
  void fontconfigCacheOfTheFolderIsRewritten();
  void collectionIsCopiedOnceWithAValuePerFace();
  void webFontInstallsAsTheSfntItHolds_data();
  void webFontInstallsAsTheSfntItHolds();
};

void FontInstallerTest::installsEachSelectedFace_data() {
  QTest::addColumn<QStringList>("names");
  QTest::addColumn<QString>("closing");
  QTest::newRow("none") << QStringList{} << "Installed 0 fonts";
  QTest::newRow("one") << QStringList{"Alpha"} << "Installed 1 font";
  QTest::newRow("two") << QStringList{"Alpha", "Beta"} << "Installed 2 fonts";
}

void FontInstallerTest::installsEachSelectedFace() {
  QFETCH(QStringList, names);
  QFETCH(QString, closing);
  Installation in;
  std::vector<std::string> sources;
  for (const QString& name : names) {
    sources.push_back(in.AddFace(name.toLower().toStdString() + ".ttf", name.toStdString()));
  }
  in.AddFace("z.ttf", "Zulu");  // stays available, not selected
  in.SelectFaces(static_cast<int>(names.size()));
  const int writes = in.h.registry.WriteCount();
  std::vector<std::string> captions;
  in.h.dispatch.onDispatch = [&] {
    captions.push_back(in.dialog->lblSelected->Caption() + " / " +
                       in.dialog->lblInstalled->Caption());
    QVERIFY(in.dialog->isVisible());
  };

  in.installer->cmdInstallClick();

  std::vector<std::string> expectedCaptions;
  std::vector<std::string> expectedLog;
  std::vector<std::pair<std::string, int>> expectedChecks;
  for (const std::string& source : sources) expectedChecks.emplace_back(source, 0);
  QCOMPARE(in.fontFiles.checked, expectedChecks);
  const std::string selected = "Fonts Selected: " + std::to_string(names.size());
  for (qsizetype i = 0; i < names.size(); ++i) {
    const std::string file = names[i].toLower().toStdString() + ".ttf";
    expectedCaptions.push_back(selected + " / Installed: " + std::to_string(i));
    expectedLog.push_back("add " + in.Font(file));
    expectedLog.push_back("broadcast");
    QCOMPARE(ReadBytes(in.Font(file)), ReadBytes(sources[static_cast<std::size_t>(i)]));
    QCOMPARE(in.Value(names[i].toStdString() + " Regular"), std::optional<std::string>(file));
  }
  QCOMPARE(captions, expectedCaptions);
  QCOMPARE(in.dialog->lblSelected->Caption(), selected);
  QCOMPARE(in.dialog->lblInstalled->Caption(), "Installed: " + std::to_string(names.size()));
  QVERIFY(!in.dialog->isVisible());
  QCOMPARE(in.h.fontTable.log, expectedLog);
  QCOMPARE(in.h.registry.WriteCount() - writes, static_cast<int>(names.size()));
  QCOMPARE(in.cache.refreshed, names.isEmpty() ? std::vector<std::string>{}
                                               : std::vector<std::string>{in.FontsFolder()});
  QCOMPARE(in.h.messages.shown.size(), std::size_t{1});
  QCOMPARE(in.h.messages.shown[0].Kind, MessageKind::Information);
  QCOMPARE(QString::fromStdString(in.LastMessage()), closing);
  QCOMPARE(in.p->lstSelected->Count(), 0);
  QCOMPARE(in.p->lstPreview->Count(), 1);
  QCOMPARE(in.p->lblPSelected->Caption(), std::string("Selected Fonts: 0"));
  QCOMPARE(in.p->lblPAvailable->Caption(), std::string("Available Fonts: 1"));
}

void FontInstallerTest::closingKeepsTheFontListAsItWas() {
  Installation in;
  in.AddFace("a.ttf", "Alpha");
  in.SelectFaces();
  ListBox& fonts = *in.form->tabMain().lstFonts;
  // Only the second entry selected, set from the program as a user's choice would leave it.
  fonts.SetSelected(0, false);
  fonts.SetSelected(1, true);
  const int selectedCount = in.form->Parts().Fonts().SelectedCount();
  const std::string current = in.form->Parts().Fonts().CurrentFontName();
  in.h.printer.printers[0].Fonts->push_back("Alpha");

  in.installer->cmdInstallClick();

  QVERIFY(fonts.Selected(0) && fonts.Selected(1));
  // The list's selection handling did not run: the counters and current font are as they were.
  QCOMPARE(in.form->Parts().Fonts().SelectedCount(), selectedCount);
  QCOMPARE(in.form->Parts().Fonts().CurrentFontName(), current);
  // The list is not refilled here, only counted.
  QCOMPARE(fonts.Count(), 2);
  QCOMPARE(in.form->Parts().Fonts().FontCount(), 2);
}

void FontInstallerTest::alreadyInstalledOnlyBySpelling_data() {
  QTest::addColumn<QString>("existingValue");
  QTest::addColumn<bool>("installs");
  QTest::newRow("this program's spelling") << "Alpha Regular (True Type)" << false;
  QTest::newRow("other case, same spelling") << "ALPHA REGULAR (true type)" << false;
  QTest::newRow("without the blank") << "Alpha Regular (TrueType)" << true;
}

void FontInstallerTest::alreadyInstalledOnlyBySpelling() {
  QFETCH(QString, existingValue);
  QFETCH(bool, installs);
  Installation in;
  in.h.registry.SetValue(RegistryRoot::LocalMachine, in.form->Parts().FontRegistryKey(),
                         existingValue.toStdString(), {RegistryType::Text, "elsewhere.ttf", 0});
  const int writes = in.h.registry.WriteCount();
  in.AddFace("a.ttf", "Alpha");
  in.SelectFaces();
  QCOMPARE(in.installer->IsFontInstalled("Alpha Regular"), !installs);

  in.installer->cmdInstallClick();

  QCOMPARE(in.shell.requests.size(), std::size_t{installs ? 1u : 0u});
  QCOMPARE(fs::exists(in.Font("a.ttf")), installs);
  QCOMPARE(in.h.registry.WriteCount(), writes + (installs ? 1 : 0));
  QCOMPARE(in.h.fontTable.log.empty(), !installs);
  const std::vector<std::string> expected =
      installs
          ? std::vector<std::string>{"Information: Installed 1 font"}
          : std::vector<std::string>{"Information: The font \"Alpha Regular\" is already installed",
                                     "Information: Installed 0 fonts"};
  QCOMPARE(in.Messages(MessageKind::Information), expected);
  QCOMPARE(in.h.messages.shown.size(), expected.size());
}

void FontInstallerTest::sameFileNameInTheFontsFolder_data() {
  QTest::addColumn<QStringList>("differentFiles");
  QTest::addColumn<QStringList>("identicalFiles");
  QTest::addColumn<QString>("written");
  QTest::addColumn<bool>("copied");
  QTest::newRow("another font's file")
      << QStringList{"a.ttf"} << QStringList{} << "a-1.ttf" << true;
  QTest::newRow("two other fonts' files")
      << QStringList{"a.ttf", "a-1.ttf"} << QStringList{} << "a-2.ttf" << true;
  QTest::newRow("the same file") << QStringList{} << QStringList{"a.ttf"} << "a.ttf" << false;
  QTest::newRow("the same file under a free name")
      << QStringList{"a.ttf"} << QStringList{"a-1.ttf"} << "a-1.ttf" << false;
}

void FontInstallerTest::sameFileNameInTheFontsFolder() {
  QFETCH(QStringList, differentFiles);
  QFETCH(QStringList, identicalFiles);
  QFETCH(QString, written);
  QFETCH(bool, copied);
  Installation in;
  const std::string source = in.AddFace("a.ttf", "Alpha");
  fs::create_directories(in.FontsFolder());
  for (const QString& file : differentFiles)
    FaceFile(in.FontsFolder(), file.toStdString(), "Other");
  for (const QString& file : identicalFiles) fs::copy_file(source, in.Font(file.toStdString()));
  const std::string other = ReadBytes(in.Font("a.ttf"));
  in.SelectFaces();

  in.installer->cmdInstallClick();

  QCOMPARE(in.LastMessage(), std::string("Installed 1 font"));
  QCOMPARE(in.shell.requests.size(), std::size_t{copied ? 1u : 0u});
  const std::string target = in.Font(written.toStdString());
  QCOMPARE(ReadBytes(target), ReadBytes(source));
  QCOMPARE(in.Value("Alpha Regular"), std::optional<std::string>(written.toStdString()));
  QCOMPARE(in.h.fontTable.log, (std::vector<std::string>{"add " + target, "broadcast"}));
  // The other font keeps its file.
  QCOMPARE(ReadBytes(in.Font("a.ttf")), other);
}

void FontInstallerTest::commaInThePaths() {
  Installation in("my, fonts");
  in.UsePreviewFolder("Fonts, new");
  const std::string source = in.AddFace("a,b.ttf", "Alpha");
  in.SelectFaces();

  in.installer->cmdInstallClick();

  QCOMPARE(in.LastMessage(), std::string("Installed 1 font"));
  const std::string target = in.Font("a,b.ttf");
  QCOMPARE(ReadBytes(target), ReadBytes(source));
  QCOMPARE(in.Value("Alpha Regular"), std::optional<std::string>("a,b.ttf"));
  QCOMPARE(in.shell.requests.size(), std::size_t{1});
  QCOMPARE(in.shell.requests[0].From, std::vector<std::string>{source});
  QCOMPARE(in.shell.requests[0].To, std::vector<std::string>{target});
  QCOMPARE(in.shell.requests[0].Operation, ShellOp::FO_COPY);
  QCOMPARE(in.shell.requests[0].Flags, ShellOp::FOF_SILENT | ShellOp::FOF_NOCONFIRMATION);
}

void FontInstallerTest::faceThatCannotBeInstalled_data() {
  QTest::addColumn<QString>("failure");
  QTest::addColumn<QStringList>("errorBoxes");
  QTest::addColumn<QStringList>("notInstalled");  // each with a warning
  QTest::addColumn<QString>("why");               // its second line; %1 is the source file
  QTest::addColumn<QString>("closing");           // the last message
  const QString none = "No font was installed.\r";
  QTest::newRow("source gone since it was read")
      << "source gone" << QStringList{} << QStringList{"Alpha"}
      << "Cannot read %1: No such file or directory."
      << "Installed 1 font";
  // A copy the registry cannot record is taken back.
  QTest::newRow("registry cannot be written")
      << "unwritable registry" << QStringList{} << QStringList{"Alpha", "Beta"}
      << "Cannot write the registry."
      << "Installed 0 fonts";
  // Found before anything is copied; the selection stays for another try.
  QTest::newRow("registry key missing")
      << "missing key" << QStringList{"Error"} << QStringList{} << QString()
      << none +
             "The font registry key HKEY_LOCAL_MACHINE\\Software\\Nowhere\\Fonts does not exist.";
  QTest::newRow("registry store unreadable")
      << "unreadable registry" << QStringList{"Error"} << QStringList{} << QString()
      << none + "The store is corrupt.";
}

void FontInstallerTest::faceThatCannotBeInstalled() {
  QFETCH(QString, failure);
  QFETCH(QStringList, errorBoxes);
  QFETCH(QStringList, notInstalled);
  QFETCH(QString, why);
  QFETCH(QString, closing);
  Installation in;
  const std::string alpha = in.AddFace("a.ttf", "Alpha");
  in.AddFace("b.ttf", "Beta");
  in.SelectFaces();
  std::string key = in.form->Parts().FontRegistryKey();
  if (failure == "source gone") fs::remove(alpha);
  if (failure == "unwritable registry") in.h.registry.FailWritesWith("Cannot write the registry");
  if (failure == "unreadable registry") in.h.registry.FailReadsWith("The store is corrupt");
  if (failure == "missing key") {
    key = "Software\\Nowhere\\Fonts";
    in.Build([key] { return key; });
  }

  in.installer->cmdInstallClick();

  QStringList shownErrors;
  for (const auto& shown : in.h.messages.shown) {
    if (shown.Kind == MessageKind::Error) shownErrors << QString::fromStdString(shown.Title);
  }
  QCOMPARE(shownErrors, errorBoxes);
  std::vector<std::string> warnings;
  for (const QString& name : notInstalled) {
    warnings.push_back("Warning: Unable to install font " + name.toStdString() + " Regular\r" +
                       why.arg(QString::fromStdString(alpha)).toStdString());
    QVERIFY(!in.h.registry.QueryValue(RegistryRoot::LocalMachine, key,
                                      name.toStdString() + " Regular (True Type)"));
  }
  QCOMPARE(in.Messages(MessageKind::Warning), warnings);
  const int installed = closing == "Installed 1 font" ? 1 : 0;
  QCOMPARE(fs::exists(in.Font("a.ttf")), false);
  QCOMPARE(fs::exists(in.Font("b.ttf")), installed == 1);
  QCOMPARE(in.LastMessage(), closing.toStdString());
  QCOMPARE(in.p->lstSelected->Count(), closing.startsWith("No font") ? 2 : 0);
  std::vector<std::string> log;
  if (installed == 1) log = {"add " + in.Font("b.ttf"), "broadcast"};
  QCOMPARE(in.h.fontTable.log, log);
  QCOMPARE(in.cache.refreshed.size(), static_cast<std::size_t>(installed));
  QVERIFY(!in.dialog->isVisible());
}

void FontInstallerTest::fileThatOpensAsNoFont_data() {
  QTest::addColumn<QString>("damage");
  QTest::addColumn<QString>("brokenFace");
  QTest::newRow("only a naming table") << "naming table only"
                                       << "Broken Regular";
  QTest::newRow("font header lost") << "no head table"
                                    << "DejaVu Sans";
  QTest::newRow("web font's header lost") << "web font without head table"
                                          << "DejaVu Sans";
}

void FontInstallerTest::fileThatOpensAsNoFont() {
  QFETCH(QString, damage);
  QFETCH(QString, brokenFace);
  Installation in;
  FreeTypeFontFileCheck freeType;
  in.UseFontFileCheck(freeType);
  const fs::path fonts(GLYPHERA_TEST_FONT_DIR);
  fs::copy_file(fonts / "DejaVuSerif.ttf", in.previewFolder + "/good.ttf");
  const bool web = damage.startsWith("web");
  const std::string broken = in.previewFolder + (web ? "/broken.woff" : "/broken.ttf");
  if (damage == "naming table only") {
    FaceFile(in.previewFolder, "broken.ttf", "Broken");
  } else {
    // The name reader still finds the names; FreeType needs the header it lost.
    if (web) FontToolsFaces((fonts / "DejaVuSans.ttf").string(), "woff", broken);
    std::string bytes = ReadBytes(web ? broken : (fonts / "DejaVuSans.ttf").string());
    const std::size_t tag = bytes.find("head", 12);
    QVERIFY(tag < 44 + 20 * 32);
    bytes.replace(tag, 4, "xxxx");
    WriteBytes(broken, bytes);
  }
  in.SelectFaces();
  QCOMPARE(in.p->lstSelected->Count(), 2);

  in.installer->cmdInstallClick();

  QCOMPARE(in.Messages(MessageKind::Warning),
           std::vector<std::string>{"Warning: Unable to install font " + brokenFace.toStdString() +
                                    "\r" + broken + " does not open as a font."});
  QVERIFY(in.Messages(MessageKind::Error).empty());
  QCOMPARE(FolderEntries(in.FontsFolder()), QStringList{"good.ttf"});
  QVERIFY(!in.Value(brokenFace.toStdString()));
  QCOMPARE(in.Value("DejaVu Serif"), std::optional<std::string>("good.ttf"));
  QCOMPARE(in.h.fontTable.log,
           (std::vector<std::string>{"add " + in.Font("good.ttf"), "broadcast"}));
  QCOMPARE(in.LastMessage(), std::string("Installed 1 font"));
}

void FontInstallerTest::fontFileCheckStaysWithinTheFile_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("face");
  QTest::addColumn<bool>("opens");
  QTest::newRow("first face") << "font" << 0 << true;
  QTest::newRow("face past the last") << "font" << 1 << false;
  QTest::newRow("negative face index") << "font" << -1 << false;
  QTest::newRow("named pipe") << "pipe" << 0 << false;
  QTest::newRow("padded to the size limit") << "at limit" << 0 << true;
  QTest::newRow("padded past the size limit") << "past limit" << 0 << false;
  QTest::newRow("sparse file of 4 GB") << "sparse" << 0 << false;
  QTest::newRow("collection of two fonts") << "collection" << 1 << true;
  // Headers that count fonts they do not hold: each would be opened by every reader.
  QTest::newRow("collection counting 65,536 fonts") << "overcounting" << 0 << false;
  QTest::newRow("collection repeating its first font") << "repeating" << 0 << false;
}

void FontInstallerTest::fontFileCheckStaysWithinTheFile() {
  QFETCH(QString, file);
  QFETCH(int, face);
  QFETCH(bool, opens);
  TempDir dir;
  const std::string path = dir.File("a.ttf");
  const std::string font = ReadBytes(std::string(GLYPHERA_TEST_FONT_DIR) + "/DejaVuSans.ttf");
  std::string collection = MakeCollection({font, font}, 1, file == "overcounting" ? 0x10000 : 2);
  if (file == "repeating") collection.replace(16, 4, collection.substr(12, 4));
  if (file == "pipe") {
    QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
  } else if (file == "sparse") {
    WriteBytes(path, font);
    fs::resize_file(path, std::uintmax_t{4} << 30);
  } else if (file == "collection" || file == "overcounting" || file == "repeating") {
    WriteBytes(path, collection);
  } else {
    fs::copy_file(fs::path(GLYPHERA_TEST_FONT_DIR) / "DejaVuSans.ttf", path);
    // Trailing zeros do not bother FreeType, so only the size decides.
    const std::size_t limit = FreeTypeFontFileCheck::kMaxFileBytes;
    if (file != "font") fs::resize_file(path, file == "at limit" ? limit : limit + 1);
  }
  QCOMPARE(FreeTypeFontFileCheck().OpensAsFont(path, face), opens);
}

void FontInstallerTest::missingFontsFolderIsCreated() {
  Installation in("not/yet/fonts");
  QVERIFY(!fs::exists(in.FontsFolder()));
  const std::string source = in.AddFace("a.ttf", "Alpha");
  in.SelectFaces();
  in.installer->cmdInstallClick();
  QCOMPARE(ReadBytes(in.Font("a.ttf")), ReadBytes(source));
  QCOMPARE(in.LastMessage(), std::string("Installed 1 font"));
}

void FontInstallerTest::cancelFinishesTheFaceUnderWay() {
  Installation in;
  for (const char* name : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}) {
    in.AddFace(std::string(1, static_cast<char>(name[0] + 32)) + ".ttf", name);
  }
  in.SelectFaces();
  QCOMPARE(in.p->lstSelected->Count(), 5);
  in.h.dispatch.onDispatch = [&] {
    if (in.h.dispatch.calls == 3) QTest::mouseClick(in.dialog->cmdCancel, Qt::LeftButton);
  };

  in.installer->cmdInstallClick();

  QVERIFY(in.installer->InstallCancelled());
  QCOMPARE(in.h.dispatch.calls, 3);
  // Sorted: Alpha, Beta, Delta, Epsilon, Gamma.
  QVERIFY(in.Value("Alpha Regular") && in.Value("Beta Regular") && in.Value("Delta Regular"));
  QVERIFY(!in.Value("Epsilon Regular") && !in.Value("Gamma Regular"));
  QVERIFY(fs::exists(in.Font("d.ttf")) && !fs::exists(in.Font("e.ttf")));
  QCOMPARE(in.LastMessage(), std::string("Installed 3 fonts"));
  QCOMPARE(in.p->lstSelected->Count(), 0);
  QCOMPARE(in.p->lstPreview->Count(), 0);
}

// With a real message box up for a face already installed, Cancel on the installing dialog is
// clicked as a user clicks it (through the window system, which refuses windows a modal box
// blocks): the run ends after that face.
void FontInstallerTest::cancelIsTakenWhileAMessageBoxIsOpen() {
  Installation in;
  for (const char* name : {"Alpha", "Beta", "Gamma"}) {
    in.AddFace(std::string(1, static_cast<char>(name[0] + 32)) + ".ttf", name);
    in.h.registry.SetValue(RegistryRoot::LocalMachine, in.form->Parts().FontRegistryKey(),
                           std::string(name) + " Regular (True Type)",
                           {RegistryType::Text, "x.ttf", 0});
  }
  in.SelectFaces();
  QtMessageBoxes boxes;
  TfrmMain* window = in.form;
  FontInstaller installer(
      InstallControls{*in.p->lstSelected, *in.p->cmdInstall, *in.p->cmdPreviewPrint, *in.p->cmdAdd,
                      *in.p->cmdAddAll, *in.p->cmdRemove, *in.p->cmdRemoveAll,
                      *in.form->tabMain().lstFonts, *in.dialog},
      InstallServices{in.shell, in.h.registry, in.h.fontTable, in.cache, boxes, in.h.dispatch,
                      in.fontFiles},
      in.form->Parts().Preview().Reading(), in.form->Parts().Preview().Lists(),
      in.form->Parts().Fonts(), [window] { return window->Parts().FontsFolder(); },
      [window] { return window->Parts().FontRegistryKey(); });
  std::vector<QString> seen;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || (!seen.empty() && seen.back() == box->text())) return;
    seen.push_back(box->text());
    if (seen.size() == 1) {
      QTest::mouseClick(in.dialog->windowHandle(), Qt::LeftButton, {},
                        in.dialog->cmdCancel->geometry().center());
    }
    box->button(QMessageBox::Ok)->click();
  });
  answer.start(10);

  installer.cmdInstallClick();

  QVERIFY(installer.InstallCancelled());
  QCOMPARE(seen, (std::vector<QString>{"The font \"Alpha Regular\" is already installed",
                                       "Installed 0 fonts"}));
}

void FontInstallerTest::buttonsRestAndComeBack_data() {
  QTest::addColumn<int>("selected");
  QTest::newRow("all faces selected") << -1;
  QTest::newRow("one of two selected") << 1;
}

void FontInstallerTest::buttonsRestAndComeBack() {
  QFETCH(int, selected);
  Installation in;
  in.AddFace("a.ttf", "Alpha");
  in.AddFace("b.ttf", "Beta");
  in.SelectFaces(selected);
  const std::vector<QPushButton*> buttons{in.p->cmdInstall, in.p->cmdPreviewPrint,
                                          in.p->cmdAdd,     in.p->cmdAddAll,
                                          in.p->cmdRemove,  in.p->cmdRemoveAll};
  const auto states = [&] {
    std::vector<bool> enabled;
    for (QPushButton* button : buttons) enabled.push_back(button->isEnabled());
    return enabled;
  };
  const std::vector<bool> before = states();
  QVERIFY(before[0]);
  QCOMPARE(before[2], selected > 0);
  std::vector<std::vector<bool>> during;
  in.h.dispatch.onDispatch = [&] { during.push_back(states()); };

  in.installer->cmdInstallClick();

  QCOMPARE(during.size(), std::size_t{selected > 0 ? 1u : 2u});
  for (const auto& state : during) QCOMPARE(state, std::vector<bool>(buttons.size(), false));
  QCOMPARE(states(), before);
}

void FontInstallerTest::fontconfigCacheOfTheFolderIsRewritten() {
  TempDir folder;
  const auto dir = reinterpret_cast<const FcChar8*>(folder.Path().c_str());
  // The cache files go to the tests' cache folder; this one is not left there.
  const std::unique_ptr<const FcChar8, void (*)(const FcChar8*)> unlink(
      dir, [](const FcChar8* path) { FcDirCacheUnlink(path, nullptr); });
  fs::copy_file(fs::path(GLYPHERA_TEST_FONT_DIR) / "DejaVuSans.ttf", folder.File("a.ttf"));
  QVERIFY(!FcDirCacheValid(dir));
  FontconfigCache cache;
  cache.Refresh(folder.Path() + "/");
  QVERIFY(FcDirCacheValid(dir));
  // Another file later: the cache is out of date until it is refreshed again.
  fs::copy_file(fs::path(GLYPHERA_TEST_FONT_DIR) / "DejaVuSerif.ttf", folder.File("b.ttf"));
  fs::last_write_time(folder.Path(), fs::last_write_time(folder.Path()) + std::chrono::seconds(2));
  QVERIFY(!FcDirCacheValid(dir));
  cache.Refresh(folder.Path() + "/");
  QVERIFY(FcDirCacheValid(dir));
}

void FontInstallerTest::collectionIsCopiedOnceWithAValuePerFace() {
  Installation in;
  const auto bytes = [](const std::string& family, const std::string& fullName) {
    const std::vector<unsigned char> b =
        TrueTypeBuilder().MacName(kFamily, family).MacName(kFullName, fullName).Bytes();
    return std::string(b.begin(), b.end());
  };
  const std::string cff = "OTTO" + bytes("Beta", "Beta Bold").substr(4);
  WriteBytes(in.previewFolder + "/pair.ttc",
             MakeCollection({bytes("Alpha", "Alpha Regular"), cff}));
  const std::string source = in.previewFolder + "/pair.ttc";
  const auto value = [&in](const std::string& name) {
    const auto found = in.h.registry.QueryValue(RegistryRoot::LocalMachine,
                                                in.form->Parts().FontRegistryKey(), name);
    return found ? found->Text : std::string("(none)");
  };
  std::vector<std::size_t> copies;
  for (const char* closing : {"Installed 2 fonts", "Installed 0 fonts"}) {
    in.shell.requests.clear();
    in.SelectFaces();
    in.installer->cmdInstallClick();
    copies.push_back(in.shell.requests.size());
    QCOMPARE(in.LastMessage(), std::string(closing));
  }
  // The file is copied once for both faces; the second run finds each face installed, by the
  // value of its own kind.
  QCOMPARE(copies, (std::vector<std::size_t>{1, 0}));
  QCOMPARE(in.fontFiles.checked,
           (std::vector<std::pair<std::string, int>>{{source, 0}, {source, 1}}));
  QCOMPARE(in.Messages(MessageKind::Information).size(), std::size_t{3});
  QCOMPARE(value("Alpha Regular (True Type)"), std::string("pair.ttc"));
  QCOMPARE(value("Beta Bold (OpenType)"), std::string("pair.ttc"));
  QCOMPARE(ReadBytes(in.Font("pair.ttc")), ReadBytes(source));
}

void FontInstallerTest::webFontInstallsAsTheSfntItHolds_data() {
  QTest::addColumn<QString>("source");
  QTest::addColumn<QString>("flavor");
  QTest::addColumn<QString>("installedAs");
  QTest::newRow("TrueType as WOFF 2") << "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
                                      << "woff2"
                                      << "DejaVu Sans.ttf";
  QTest::newRow("CFF as WOFF") << "/usr/share/fonts/opentype/urw-base35/C059-Roman.otf"
                               << "woff"
                               << "C059 Roman.otf";
  QTest::newRow("variable as WOFF 2, one file for its instances")
      << "/usr/share/fonts/truetype/inter-vf/Inter-roman.var.ttf"
      << "woff2"
      << "Inter.ttf";
}

void FontInstallerTest::webFontInstallsAsTheSfntItHolds() {
  QFETCH(QString, source);
  QFETCH(QString, flavor);
  QFETCH(QString, installedAs);
  Installation in;
  FreeTypeFontFileCheck freeType;
  in.UseFontFileCheck(freeType);
  const QStringList faces = FontToolsFaces(source.toStdString(), flavor.toStdString(),
                                           in.previewFolder + "/face." + flavor.toStdString());
  in.SelectFaces();
  QCOMPARE(in.p->lstSelected->Count(), faces.size());

  in.installer->cmdInstallClick();

  QCOMPARE(FolderEntries(in.FontsFolder()), QStringList{installedAs});
  const std::string installed = in.Font(installedAs.toStdString());
  QVERIFY(freeType.OpensAsFont(installed, 0));
  QVERIFY(!ReadBytes(installed).starts_with("wOF"));
  // As readable as a font file copied into place: 0644 less the umask.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat status {};
  QCOMPARE(::stat(installed.c_str(), &status), 0);
  QCOMPARE(status.st_mode & 0777, 0644 & ~mask);
  QCOMPARE(in.shell.requests.size(), std::size_t{1});
  for (const QString& face : faces) {
    const std::string name = face.section('|', 1, 1).toStdString();
    const bool cff = face.section('|', 4, 4) == "1";
    const auto value =
        in.h.registry.QueryValue(RegistryRoot::LocalMachine, in.form->Parts().FontRegistryKey(),
                                 name + (cff ? " (OpenType)" : " (True Type)"));
    QVERIFY2(value && value->Text == installedAs.toStdString(), name.c_str());
  }
}

QTEST_MAIN(FontInstallerTest)
#include "FontInstallerTest.moc"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sstream>
#include "fixtures/FileBytes.h"
#include "fixtures/FileStamps.h"

#include "app/LargeSamplePage.h"
#include "app/MainPage.h"
#include "app/MainWindowParts.h"
#include "app/TfrmMain.h"
#include "fixtures/MainWindowHarness.h"
#include "fixtures/TempDir.h"
#include "install/PreviewInstallPage.h"
#include "platform/storage/IProfileStrings.h"
#include "platform/storage/ProfileStrings.h"
#include "platform/storage/RegistryStore.h"
#include "settings/EditSamplePage.h"
#include "settings/SampleTextKeys.h"
#include "settings/SampleTexts.h"
#include "settings/SingleLine.h"
#include "viewing/FontList.h"
#include "widgets/DesignScale.h"
#include "widgets/Edit.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"

namespace {

// The sample texts as a new settings file holds them, written out here rather than built from
// the program's own table, so that a changed key or text shows.
constexpr const char* kDefaultTexts =
    "Def8=This is 8-point type - not easy to read!\r\n"
    "Def9=9-point type is about the smallest readable size.\r\n"
    "Def10=With 10-point type, we have a normal text size.\r\n"
    "Def11=11-point type is usually ideal for body text.\r\n"
    "Def12=With some fonts, 12-point type is easier to read.\r\n"
    "Def14=14-point type is good for subheadings.\r\n"
    "Def16=For larger subheadings, try 16-point type.\r\n"
    "Def18=18-point type makes nice small headlines.\r\n"
    "Def24=24-point type is for medium headlines.\r\n"
    "Def36=36-point is for larger ones.\r\n"
    "Def48=48-point almost shouts!\r\n"
    "Def60=60-point is huge!\r\n"
    "DefSample=The quick brown fox jumps over the lazy dog.\r\n"
    "ParaText=When Gutenberg printed his 42-line Bible in 1456, he had only one typeface to "
    "choose from: the formal, square-text Gothic letter that mimicked the lettering of scribes. "
    "Today a designer can choose among tens of thousands of typefaces, from sturdy old-style "
    "romans and crisp moderns to plain sans serifs, slab serifs, scripts and display faces. To "
    "find a way through such plenty, typographers sort typefaces into classes by the shape of "
    "their serifs, the contrast of their strokes and their stress axis.\r\n";

std::string DefaultFile() {
  return std::string("[Glyphera]\r\n") + kDefaultTexts + "HeadingFont=Arial\r\n";
}

void UseFonts(MainWindowHarness& h) {
  h.UseFonts({"Arial", "Courier New"});
}

}  // namespace

class SampleTextsTest : public QObject {
  Q_OBJECT
 private slots:
  void defaultsAreAsGiven();
  void singleLine_data();
  void singleLine();
  void firstStartCreatesTheFile();
  void fileLackingKeysLeavesBoxesEmpty();
  void saveWritesTheBoxesAndReadsThemBack();
  void saveKeepsTheRestOfTheFile();
  void saveThatCannotWriteKeepsTheBoxes();
  void settingsFileThatCannotBeCreated();
  void paragraphTypingStopsAt600();
  void paragraphLineBreaksCountTwo_data();
  void paragraphLineBreaksCountTwo();
  void editedSampleReachesTheMainSampleAtTheNextSelection();
  void eightBitTextsSurviveSave_data();
  void eightBitTextsSurviveSave();
  void oneReadPerLoadAndOneReplacePerSave_data();
  void oneReadPerLoadAndOneReplacePerSave();
  void settingsFileOverTheLimitIsLeftAlone();
  void staleTemporariesClearedAtStartUp();
  void runningCopiesKeepEachOthersWrites_data();
  void runningCopiesKeepEachOthersWrites();
};

void SampleTextsTest::defaultsAreAsGiven() {
  const std::string paragraph = SampleTextKeys::kTextKeys[SampleTextKeys::kParagraphIndex].Default;
  QCOMPARE(paragraph.size(), std::size_t{502});
  QVERIFY(paragraph.starts_with(
      "When Gutenberg printed his 42-line Bible in 1456, he had only one typeface to choose from: "
      "the formal, square-text Gothic letter that mimicked the lettering of scribes."));
  QVERIFY(paragraph.find('\n') == std::string::npos);
  const QStringList keys = {"Def8",  "Def9",  "Def10", "Def11", "Def12", "Def14",     "Def16",
                            "Def18", "Def24", "Def36", "Def48", "Def60", "DefSample", "ParaText"};
  QCOMPARE(static_cast<qsizetype>(SampleTextKeys::kTextKeys.size()), keys.size());
  for (int i = 0; i < keys.size(); ++i) {
    QCOMPARE(QString::fromUtf8(SampleTextKeys::kTextKeys[static_cast<std::size_t>(i)].Key),
             keys[i]);
  }
}

void SampleTextsTest::singleLine_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("line");
  QTest::newRow("crlf") << "one\r\ntwo"
                        << "one two";
  QTest::newRow("lf") << "one\ntwo"
                      << "one two";
  QTest::newRow("cr") << "one\rtwo"
                      << "one two";
  QTest::newRow("blank line") << "a\r\n\r\nb"
                              << "a  b";
  QTest::newRow("trailing") << "end\n"
                            << "end ";
  QTest::newRow("none") << "plain"
                        << "plain";
}

void SampleTextsTest::singleLine() {
  QFETCH(QString, text);
  QFETCH(QString, line);
  QCOMPARE(QString::fromStdString(SingleLine(text.toStdString())), line);
}

void SampleTextsTest::firstStartCreatesTheFile() {
  MainWindowHarness h;
  UseFonts(h);
  TfrmMain& form = h.Show();
  const std::string file = h.dir.File("GLYPHERA.INI");
  QCOMPARE(ReadBytes(file), DefaultFile());
  EditSamplePage& page = form.tabEdit();
  QCOMPARE(page.SizeBoxes[0]->Text(), std::string("This is 8-point type - not easy to read!"));
  QCOMPARE(page.SizeBoxes[11]->Text(), std::string("60-point is huge!"));
  QCOMPARE(page.txtSample->Text(), std::string("The quick brown fox jumps over the lazy dog."));
  QCOMPARE(page.txtTitle->Text(), std::string());
  QCOMPARE(page.txtPara->Text().size(), std::size_t{502});
  QCOMPARE(form.Parts().Texts().HeadingFont(), std::string("Arial"));
  const std::string sample = "The quick brown fox jumps over the lazy dog.";
  QCOMPARE(form.Parts().SampleSheetLines()[2], sample);
  QVERIFY(form.tabLargeSample().memLargeSample->Text().ends_with(";:'\",.?\r\n" + sample));
  QCOMPARE(form.tabInstall().memDispPreview->Text(),
           "ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nabcdefghijklmnopqrstuvwxyz1234567890\r\n" + sample);
  QVERIFY(form.tabMain().memDispFont->Text().ends_with("1234567890\r\n" + sample));
  QVERIFY(h.messages.shown.empty());
}

void SampleTextsTest::fileLackingKeysLeavesBoxesEmpty() {
  MainWindowHarness h;
  UseFonts(h);
  const std::string file = h.dir.File("GLYPHERA.INI");
  const std::string stored = "[glyphera]\r\nDEF9=nine\r\nDefSample='quoted'\r\n";
  WriteBytes(file, stored);
  TfrmMain& form = h.Show();
  EditSamplePage& page = form.tabEdit();
  QCOMPARE(page.SizeBoxes[0]->Text(), std::string());
  QCOMPARE(page.SizeBoxes[1]->Text(), std::string("nine"));
  QCOMPARE(page.txtSample->Text(), std::string("quoted"));
  QCOMPARE(page.txtPara->Text(), std::string());
  QCOMPARE(form.Parts().Texts().HeadingFont(), std::string());
  QCOMPARE(ReadBytes(file), stored);
}

void SampleTextsTest::saveWritesTheBoxesAndReadsThemBack() {
  MainWindowHarness h;
  UseFonts(h);
  TfrmMain& form = h.Show();
  EditSamplePage& page = form.tabEdit();
  page.txtSample->SetText("\"Hello, world\"");
  page.SizeBoxes[2]->SetText("Ten points");
  page.txtPara->SetText("First line\r\nsecond line");
  h.profile.writes.clear();
  QTest::mouseClick(page.cmdSaveText, Qt::LeftButton);
  QVERIFY(h.messages.shown.empty());

  // Only the boxes that changed, so another running copy's saved texts stay.
  QCOMPARE(h.profile.writes.size(), std::size_t{3});
  QCOMPARE(h.profile.writes.front().Key, std::string("Def10"));
  QCOMPARE(h.profile.writes.back().Key, std::string("ParaText"));
  const std::string bytes = ReadBytes(h.dir.File("GLYPHERA.INI"));
  QVERIFY(bytes.find("DefSample=\"Hello, world\"\r\n") != std::string::npos);
  QVERIFY(bytes.find("Def10=Ten points\r\n") != std::string::npos);
  QVERIFY(bytes.find("ParaText=First line second line\r\n") != std::string::npos);
  QVERIFY(bytes.ends_with("HeadingFont=Arial\r\n"));
  // The boxes show what the file holds.
  QCOMPARE(page.txtSample->Text(), std::string("Hello, world"));
  QCOMPARE(page.txtPara->Text(), std::string("First line second line"));
  // Saving again with nothing changed leaves the file as it is, quotes and all.
  QTest::mouseClick(page.cmdSaveText, Qt::LeftButton);
  QCOMPARE(ReadBytes(h.dir.File("GLYPHERA.INI")), bytes);
}

void SampleTextsTest::saveKeepsTheRestOfTheFile() {
  MainWindowHarness h;
  UseFonts(h);
  const std::string file = h.dir.File("GLYPHERA.INI");
  const std::string stored =
      std::string("\xEF\xBB\xBF; my notes\n[Other]\nDef8=not ours\n[Glyphera]\r\n") +
      kDefaultTexts + "HeadingFont=Verdana\r\nUnknown=kept\r\n";
  WriteBytes(file, stored);
  TfrmMain& form = h.Show();
  QCOMPARE(form.Parts().Texts().HeadingFont(), std::string("Verdana"));
  form.tabEdit().SizeBoxes[0]->SetText("Eight");
  QTest::mouseClick(form.tabEdit().cmdSaveText, Qt::LeftButton);
  std::string expected = stored;
  const std::string old8 = std::string("Def8=") + SampleTextKeys::kTextKeys[0].Default;
  expected.replace(expected.find(old8, expected.find("[Glyphera]")), old8.size(), "Def8=Eight");
  QCOMPARE(ReadBytes(file), expected);
}

void SampleTextsTest::saveThatCannotWriteKeepsTheBoxes() {
  MainWindowHarness h;
  UseFonts(h);
  TfrmMain& form = h.Show();
  EditSamplePage& page = form.tabEdit();
  const std::string before = ReadBytes(h.dir.File("GLYPHERA.INI"));
  page.txtSample->SetText("\"typed\"");
  h.profile.failWrites = true;
  QTest::mouseClick(page.cmdSaveText, Qt::LeftButton);
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  QCOMPARE(h.messages.shown[0].Kind, MessageKind::Error);
  QCOMPARE(h.messages.shown[0].Title, std::string("Glyphera"));
  QCOMPARE(h.messages.shown[0].Text, "Unable to write to " + h.dir.File("GLYPHERA.INI") + ".");
  QCOMPARE(page.txtSample->Text(), std::string("\"typed\""));
  QCOMPARE(ReadBytes(h.dir.File("GLYPHERA.INI")), before);
}

void SampleTextsTest::settingsFileThatCannotBeCreated() {
  MainWindowHarness h;
  UseFonts(h);
  h.profile.failWrites = true;
  TfrmMain& form = h.Show();
  // Said once: the texts of this run are the defaults, and they will not be kept.
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  QCOMPARE(h.messages.shown[0].Text, "Unable to write to " + h.dir.File("GLYPHERA.INI") +
                                         ". The default sample texts are used, and changes to "
                                         "them will not be kept.");
  // Start-up went on: the first font's sample is shown, and no text is blank.
  QCOMPARE(form.Parts().Fonts().CurrentFontName(), std::string("Arial"));
  QCOMPARE(form.tabEdit().txtSample->Text(),
           std::string(SampleTextKeys::kTextKeys[SampleTextKeys::kSampleIndex].Default));
  QCOMPARE(form.tabEdit().SizeBoxes[0]->Text(), std::string(SampleTextKeys::kTextKeys[0].Default));
  QCOMPARE(form.Parts().Texts().HeadingFont(), std::string(SampleTextKeys::kDefaultHeadingFont));
  QVERIFY(form.tabLargeSample().memLargeSample->Text().ends_with(
      SampleTextKeys::kTextKeys[SampleTextKeys::kSampleIndex].Default));
}

void SampleTextsTest::paragraphTypingStopsAt600() {
  MainWindowHarness h;
  UseFonts(h);
  TfrmMain& form = h.Show();
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Edit));
  Memo* para = form.tabEdit().txtPara;
  para->SetText(std::string(595, 'x'));
  para->setFocus();
  para->moveCursor(QTextCursor::End);
  QTest::keyClicks(para, "abcdefghij");
  QCOMPARE(para->toPlainText().size(), 600);
  QVERIFY(para->toPlainText().endsWith(QStringLiteral("xabcde")));
  // Text put there by the program may be longer; typing then adds nothing.
  para->SetText(std::string(700, 'y'));
  para->moveCursor(QTextCursor::End);
  QTest::keyClicks(para, "z");
  QCOMPARE(para->toPlainText().size(), 700);
}

void SampleTextsTest::paragraphLineBreaksCountTwo_data() {
  QTest::addColumn<int>("before");   // characters of text before
  QTest::addColumn<QString>("how");  // "enter", "paste" or "compose"
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("added");  // as the text holds it
  QTest::newRow("enter with one left") << 599 << "enter"
                                       << ""
                                       << "";
  QTest::newRow("enter with two left") << 598 << "enter"
                                       << ""
                                       << "\r\n";
  QTest::newRow("paste cut after a break") << 595 << "paste"
                                           << "ab\ncd"
                                           << "ab\r\nc";
  QTest::newRow("paste cut before a break") << 597 << "paste"
                                            << "ab\r\ncd"
                                            << "ab";
  QTest::newRow("composed text cut") << 597 << "compose"
                                     << "uvwxyz"
                                     << "uvw";
}

// The platform box counts a line break as two characters, however the text arrives.
void SampleTextsTest::paragraphLineBreaksCountTwo() {
  QFETCH(int, before);
  QFETCH(QString, how);
  QFETCH(QString, input);
  QFETCH(QString, added);
  MainWindowHarness h;
  UseFonts(h);
  TfrmMain& form = h.Show();
  form.PageControl1()->setCurrentIndex(static_cast<int>(Page::Edit));
  Memo* para = form.tabEdit().txtPara;
  const std::string start(static_cast<std::size_t>(before), 'x');
  para->SetText(start);
  para->setFocus();
  para->moveCursor(QTextCursor::End);
  if (how == "enter") {
    QTest::keyClick(para, Qt::Key_Return);
  } else if (how == "paste") {
    QGuiApplication::clipboard()->setText(input);
    para->paste();
  } else {
    QInputMethodEvent composed;
    composed.setCommitString(input);
    QCoreApplication::sendEvent(para, &composed);
  }
  QCOMPARE(QString::fromStdString(para->Text()), QString::fromStdString(start) + added);
}

void SampleTextsTest::editedSampleReachesTheMainSampleAtTheNextSelection() {
  MainWindowHarness h;
  UseFonts(h);
  TfrmMain& form = h.Show();
  form.tabEdit().txtSample->SetText("Sphinx of black quartz");
  QVERIFY(!form.tabMain().memDispFont->Text().ends_with("Sphinx of black quartz"));
  ListBox* list = form.tabMain().lstFonts;
  const QRect second = list->visualRect(list->model()->index(1, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  QVERIFY(form.tabMain().memDispFont->Text().ends_with("\r\nSphinx of black quartz"));
  // The large sample keeps the text it had at start-up.
  QVERIFY(!form.tabLargeSample().memLargeSample->Text().ends_with("Sphinx of black quartz"));
}

void SampleTextsTest::eightBitTextsSurviveSave_data() {
  QTest::addColumn<QByteArray>("stored");  // after "Def8=" in the file
  QTest::addColumn<QByteArray>("text");    // in the box, and after "Def8=" once saved

  QTest::newRow("Latin-1 accents")
      << QByteArray("Caf\xE9 cr\xE8me") << QByteArray("Caf\xC3\xA9 cr\xC3\xA8me");
  QTest::newRow("Windows-1252 quotes and euro")
      << QByteArray("\x93Hi\x94 \x80 5") << QByteArray("\xE2\x80\x9CHi\xE2\x80\x9D \xE2\x82\xAC 5");
  QTest::newRow("UTF-8 as it stands")
      << QByteArray("\xC3\xA9t\xC3\xA9") << QByteArray("\xC3\xA9t\xC3\xA9");
}

void SampleTextsTest::eightBitTextsSurviveSave() {
  QFETCH(QByteArray, stored);
  QFETCH(QByteArray, text);
  MainWindowHarness h;
  UseFonts(h);
  const std::string file = h.dir.File("GLYPHERA.INI");
  const std::string note = "; Notiz f\xFCr mich\r\n";
  const std::string heading = "HeadingFont=Bodoni \xC6\r\n";
  WriteBytes(file, note + "[Glyphera]\r\nDef8=" + stored.toStdString() + "\r\n" + heading);
  TfrmMain& form = h.Show();
  QCOMPARE(form.tabEdit().SizeBoxes[0]->Text(), text.toStdString());
  QCOMPARE(form.Parts().Texts().HeadingFont(), std::string("Bodoni \xC3\x86"));

  // Save writes only a box that changed.
  Edit& box = *form.tabEdit().SizeBoxes[0];
  box.SetText(box.Text() + "!");
  QTest::mouseClick(form.tabEdit().cmdSaveText, Qt::LeftButton);
  const std::string saved = ReadBytes(file);
  QVERIFY(saved.find("Def8=" + text.toStdString() + "!\r\n") != std::string::npos);
  // Lines a Save does not write keep their bytes.
  QVERIFY(saved.starts_with(note));
  QVERIFY(saved.find(heading) != std::string::npos);
  QCOMPARE(box.Text(), text.toStdString() + "!");
}

void SampleTextsTest::oneReadPerLoadAndOneReplacePerSave_data() {
  QTest::addColumn<bool>("fileThere");
  QTest::addColumn<int>("replacesAtStart");
  QTest::newRow("first start writes the defaults at once") << false << 1;
  QTest::newRow("later starts only read") << true << 0;
}

void SampleTextsTest::oneReadPerLoadAndOneReplacePerSave() {
  QFETCH(bool, fileThere);
  QFETCH(int, replacesAtStart);
  MainWindowHarness h;
  UseFonts(h);
  if (fileThere) WriteBytes(h.dir.File("GLYPHERA.INI"), DefaultFile());
  TfrmMain& form = h.Show();
  QCOMPARE(h.profile.reads, 1);
  QCOMPARE(h.profile.replaces, replacesAtStart);
  QCOMPARE(h.profile.writes.size(), static_cast<std::size_t>(15 * replacesAtStart));

  form.tabEdit().SizeBoxes[0]->SetText("changed");  // a Save with nothing changed writes nothing
  QTest::mouseClick(form.tabEdit().cmdSaveText, Qt::LeftButton);
  QCOMPARE(h.profile.replaces, replacesAtStart + 1);
  QCOMPARE(h.profile.reads, 2);  // the boxes show what was saved
}

void SampleTextsTest::settingsFileOverTheLimitIsLeftAlone() {
  MainWindowHarness h;
  UseFonts(h);
  const std::string file = h.dir.File("GLYPHERA.INI");
  QVERIFY(WriteSparseFile(file, "[Glyphera]\r\nDef8=mine\r\n", kMaxProfileFileBytes + 1));
  const FileStamp before = StampOf(file);
  const std::string message = file + " is too large to be a settings file (over 16 MiB).";

  TfrmMain& form = h.Show();
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  QCOMPARE(h.messages.shown[0].Text, message);
  // Start-up went on, with empty texts rather than the defaults.
  QCOMPARE(form.Parts().Fonts().CurrentFontName(), std::string("Arial"));
  QCOMPARE(form.tabEdit().SizeBoxes[0]->Text(), std::string());

  form.tabEdit().SizeBoxes[0]->SetText("typed");
  QTest::mouseClick(form.tabEdit().cmdSaveText, Qt::LeftButton);
  QCOMPARE(h.messages.shown.size(), std::size_t{2});
  QCOMPARE(h.messages.shown[1].Text, message);
  QCOMPARE(form.tabEdit().SizeBoxes[0]->Text(), std::string("typed"));
  QVERIFY(StampOf(file) == before);
}

void SampleTextsTest::staleTemporariesClearedAtStartUp() {
  MainWindowHarness h;
  UseFonts(h);
  const std::string stale = h.dir.File(".GLYPHERA.INI.tmp-0123abcd");
  const std::string fresh = h.dir.File(".GLYPHERA.INI.tmp-fresh123");
  WriteBytes(stale, "[Glyph");
  WriteBytes(fresh, "[Glyph");
  QVERIFY(SetAge(stale, 120));
  h.Show();
  QVERIFY(!std::filesystem::exists(stale));
  QVERIFY(std::filesystem::exists(fresh));
}

void SampleTextsTest::runningCopiesKeepEachOthersWrites_data() {
  QTest::addColumn<QString>("file");
  QTest::newRow("registry store") << "registry";
  QTest::newRow("settings file") << "GLYPHERA.INI";
}

// Two running copies write the settings of one file in turns, each having read it before the
// other wrote: neither loses what the other wrote, and each sees it.
void SampleTextsTest::runningCopiesKeepEachOthersWrites() {
  QFETCH(QString, file);
  TempDir dir;
  const std::string path = dir.File(file.toStdString());
  const auto key = [](int i) { return std::string(SampleTextKeys::kTextKeys[i].Key); };
  // The size line i of one copy: written as the user does it, read as the copy sees it then.
  std::vector<std::function<void(int, const std::string&)>> write;
  std::vector<std::function<std::string(int)>> read;
  std::vector<std::unique_ptr<RegistryStore>> stores;
  std::vector<std::unique_ptr<QWidget>> tabs;
  std::vector<std::unique_ptr<EditSamplePage>> pages;
  std::vector<std::unique_ptr<SampleTexts>> texts;
  ProfileStrings profile;
  for (int copy = 0; copy < 2; ++copy) {
    if (file == "registry") {
      RegistryStore* store = stores.emplace_back(std::make_unique<RegistryStore>(path)).get();
      write.push_back([=](int i, const std::string& text) {
        store->SetValue(RegistryRoot::CurrentUser, "Software\\Glyphera", key(i),
                        {RegistryType::Text, text, 0});
      });
      read.push_back([=](int i) {
        return store->QueryValue(RegistryRoot::CurrentUser, "Software\\Glyphera", key(i))
            .value_or(RegistryValue{})
            .Text;
      });
    } else {
      QWidget* tab = tabs.emplace_back(std::make_unique<QWidget>()).get();
      EditSamplePage* page =
          pages.emplace_back(std::make_unique<EditSamplePage>(tab, DesignScale(96))).get();
      SampleTexts* own =
          texts.emplace_back(std::make_unique<SampleTexts>(*page, profile, path)).get();
      if (copy == 0) own->WriteDefaultTexts();
      write.push_back([=](int i, const std::string& text) {
        page->SizeBoxes[i]->SetText(text);
        own->cmdSaveTextClick();
      });
      read.push_back([=](int i) {
        own->ReadSampleTexts();
        return page->SizeBoxes[i]->Text();
      });
    }
    read.back()(0);
  }

  const std::vector<std::pair<int, std::string>> written = {{0, "A"}, {1, "B"}, {2, "A again"}};
  for (const auto& [line, text] : written) write[text == "B" ? 1 : 0](line, text);
  for (int copy = 0; copy < 2; ++copy) {
    for (const auto& [line, text] : written) {
      QCOMPARE(QString::fromStdString(read[copy](line)), QString::fromStdString(text));
    }
  }
}

QTEST_MAIN(SampleTextsTest)
#include "SampleTextsTest.moc"

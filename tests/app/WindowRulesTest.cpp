#include <QtTest>

#include "app/AltLetterRule.h"
#include "app/PageRules.h"
#include "app/ShowAllKeys.h"
#include "app/StartupValues.h"
#include "widgets/DesignScale.h"

Q_DECLARE_METATYPE(Page)
Q_DECLARE_METATYPE(PageAction)

namespace {

// Alt and a letter while a page is shown, and the owner it reaches in kLetterOwners.
struct LetterChoiceRow {
  Page shown;
  char letter;
  LetterOutcome outcome;
  std::size_t owner;
};

using enum LetterOwnerKind;
const std::vector<LetterOwner> kLetterOwners = {{'L', Button, Page::Main},
                                                {'P', Button, Page::Install, false},
                                                {'P', Button, Page::Install},
                                                {'P', Label, Page::Install},
                                                {'I', CheckBox, Page::FontMap, false},
                                                {'L', PageTab, Page::LargeSample},
                                                {'I', PageTab, Page::Install}};

}  // namespace

Q_DECLARE_METATYPE(LetterChoiceRow)

class WindowRulesTest : public QObject {
  Q_OBJECT
 private slots:
  void pageRules_data();
  void pageRules();
  void pageKeysWrapAround();
  void showAllKeys_data();
  void showAllKeys();
  void startupValues();
  void designScale_data();
  void designScale();
  void letterOwners_data();
  void letterOwners();
};

void WindowRulesTest::pageRules_data() {
  QTest::addColumn<Page>("page");
  QTest::addColumn<bool>("noScreenFont");
  QTest::addColumn<PageAction>("action");
  QTest::newRow("font map refused") << Page::FontMap << true << PageAction::RefuseAndReturnToMain;
  QTest::newRow("large sample refused")
      << Page::LargeSample << true << PageAction::RefuseAndReturnToMain;
  QTest::newRow("show all allowed") << Page::ShowAll << true << PageAction::ScrollShowAllToTop;
  QTest::newRow("edit allowed") << Page::Edit << true << PageAction::Nothing;
  QTest::newRow("install allowed") << Page::Install << true << PageAction::Nothing;
  QTest::newRow("main") << Page::Main << true << PageAction::FocusFontList;
  QTest::newRow("font map") << Page::FontMap << false << PageAction::RefreshFontMap;
  QTest::newRow("large sample") << Page::LargeSample << false << PageAction::ShowLargeSample;
}

void WindowRulesTest::pageRules() {
  QFETCH(Page, page);
  QFETCH(bool, noScreenFont);
  QFETCH(PageAction, action);
  QCOMPARE(PageActionFor(page, noScreenFont), action);
}

void WindowRulesTest::pageKeysWrapAround() {
  QCOMPARE(NextPage(Page::Main, true), Page::LargeSample);
  QCOMPARE(NextPage(Page::Install, true), Page::Main);
  QCOMPARE(NextPage(Page::Main, false), Page::Install);
  QCOMPARE(NextPage(Page::ShowAll, false), Page::FontMap);
}

void WindowRulesTest::showAllKeys_data() {
  QTest::addColumn<Qt::Key>("key");
  QTest::addColumn<int>("position");
  QTest::addColumn<int>("expected");  // -1: the key is not used
  // A view with a last position of 5564 (6000 less 436 visible) and a step of 414.
  QTest::newRow("page up at top stays") << Qt::Key_PageUp << 0 << 0;
  QTest::newRow("page up short of top") << Qt::Key_PageUp << 100 << 0;
  QTest::newRow("page up") << Qt::Key_PageUp << 1000 << 586;
  QTest::newRow("page down") << Qt::Key_PageDown << 0 << 414;
  QTest::newRow("page down at end stops") << Qt::Key_PageDown << 5400 << 5564;
  QTest::newRow("end") << Qt::Key_End << 10 << 5564;
  QTest::newRow("home") << Qt::Key_Home << 3000 << 0;
  QTest::newRow("other key") << Qt::Key_Down << 3000 << -1;
}

void WindowRulesTest::showAllKeys() {
  QFETCH(Qt::Key, key);
  QFETCH(int, position);
  QFETCH(int, expected);
  QCOMPARE(ShowAllScrollPosition(key, position, 414, 5564).value_or(-1), expected);
}

void WindowRulesTest::startupValues() {
  using namespace StartupValues;
  QCOMPARE(PageStepFor(436), 414);
  QCOMPARE(FontMapRowHeight(217), 30);
  QVERIFY(PlaceAtOrigin(800));
  QVERIFY(!PlaceAtOrigin(801));
  QCOMPARE(FontMapCode(0, 0), 32);
  QCOMPARE(FontMapCode(6, 0), 38);
  QCOMPARE(FontMapCode(31, 6), 255);
  QCOMPARE(ProgramDirOf("/opt/glyphera/bin/glyphera"), std::string("/opt/glyphera/bin/"));
  QCOMPARE(ProgramDirOf("glyphera"), std::string("/"));
  QCOMPARE(std::string(kSheetLine1).size(), std::size_t{60});
  QCOMPARE(std::string(kLargeSampleLines).size(), std::size_t{92});

  const ParagraphSizeTable sizes = DefaultParagraphSizes();
  const std::array<float, 13> points = {7, 7.5, 8, 8.5, 9, 9.5, 10, 10.5, 11, 11.5, 12, 13, 14};
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    QCOMPARE(sizes[i].PointSize, points[i]);
    QVERIFY(!sizes[i].Checked);
    // The boxes ticked at start are the whole sizes from 9 up.
    QCOMPARE(kParagraphBoxesCheckedAtStart[i], points[i] >= 9 && points[i] == int(points[i]));
  }
}

void WindowRulesTest::designScale_data() {
  QTest::addColumn<int>("dpi");
  QTest::addColumn<int>("design");
  QTest::addColumn<int>("scaled");
  QTest::newRow("design dpi") << 120 << 773 << 773;
  QTest::newRow("96 dpi") << 96 << 773 << 618;                                      // 618.4
  QTest::newRow("180 dpi half rounds up") << 180 << 1 << 2;                         // 1.5
  QTest::newRow("180 dpi negative half rounds away from zero") << 180 << -1 << -2;  // -1.5
  QTest::newRow("144 dpi") << 144 << 13 << 16;                                      // 15.6
  QTest::newRow("no dpi falls back") << 0 << 100 << 100;
}

void WindowRulesTest::designScale() {
  QFETCH(int, dpi);
  QFETCH(int, design);
  QFETCH(int, scaled);
  QCOMPARE(DesignScale(dpi)(design), scaled);
}

void WindowRulesTest::letterOwners_data() {
  QTest::addColumn<LetterChoiceRow>("row");
  using enum LetterOutcome;
  QTest::newRow("control before tab") << LetterChoiceRow{Page::Main, 'L', Reach, 0};
  QTest::newRow("tab where no control") << LetterChoiceRow{Page::Edit, 'L', Reach, 5};
  QTest::newRow("first enabled of three") << LetterChoiceRow{Page::Install, 'P', Reach, 2};
  QTest::newRow("disabled keeps letter") << LetterChoiceRow{Page::FontMap, 'I', Nothing, 0};
  QTest::newRow("tab from other page") << LetterChoiceRow{Page::Main, 'I', Reach, 6};
  QTest::newRow("nobody's") << LetterChoiceRow{Page::Main, 'F', PassOn, 0};
}

void WindowRulesTest::letterOwners() {
  QFETCH(LetterChoiceRow, row);
  const LetterChoice choice = ChooseLetterOwner(kLetterOwners, row.letter, row.shown);
  QCOMPARE(choice.outcome, row.outcome);
  if (row.outcome == LetterOutcome::Reach) QCOMPARE(choice.owner, row.owner);
}

QTEST_GUILESS_MAIN(WindowRulesTest)
#include "WindowRulesTest.moc"

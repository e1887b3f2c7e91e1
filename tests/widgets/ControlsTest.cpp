#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QStyleOptionGroupBox>
#include <QTextBlock>
#include <QtTest>
#include <string>

#include "fakes/FakeMessageBoxes.h"
#include "platform/PlatformError.h"
#include "platform/desktop/ApplicationErrorHandler.h"
#include "platform/text/ErrorText.h"
#include "platform/text/Windows1252.h"
#include "widgets/CheckBox.h"
#include "widgets/ElidedLines.h"
#include "widgets/Grid.h"
#include "widgets/GridTracks.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/MnemonicText.h"
#include "widgets/SpinEdit.h"
#include "widgets/TitleOnFrameStyle.h"

namespace {

const QString kManyStyles = QStringLiteral(
    "Styles: Thin, Thin Italic, Extra Light, Extra Light Italic, Light, Light Italic, Regular, "
    "Italic, Medium, Medium Italic, Semi Bold, Semi Bold Italic, Bold, Bold Italic, Black");

QFont StylesFont(int points = 10) {
  return QFont(QStringLiteral("DejaVu Sans"), points);
}

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT
 private slots:
  void fullStopRule_data();
  void fullStopRule();
  void errorHandlerShowsAndGoesOn();
  void mnemonics_data();
  void mnemonics();
  void labelWithBuddyKeepsMarkers();
  void elidedLines_data();
  void elidedLines();
  void labelElidesOnlyWhatItShows();
  void spinEditValue_data();
  void spinEditValue();
  void spinEditCorrectsOnFocusLoss_data();
  void spinEditCorrectsOnFocusLoss();
  void spinEditStepsStayInRange();
  void checkBoxFromProgramRunsClick();
  void memoTakesItsHiddenFontWhenShown();
  void memoShowsWholeLines_data();
  void memoShowsWholeLines();
  void memoTabMovesTheFocus_data();
  void memoTabMovesTheFocus();
  void listBoxSortsWithoutRegardToCase();
  void listBoxProgramSelectionIsQuiet();
  void listBoxUserSelectionRunsClick();
  void listBoxShiftF10OpensContextMenu();
  void listBoxIndexErrors();
  void listBoxDeleteKeepsOtherSelections();
  void gridMovesRunClickOncePerRealMove();
  void gridCellsAreEqualOnTheDevice_data();
  void gridCellsAreEqualOnTheDevice();
  void groupTitleSitsOnTheFrameLine();
  void windows1252Mapping();
  void controlsSpeakToScreenReaders();
};

void ControlsTest::fullStopRule_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("shown");
  QTest::newRow("letter") << "No printer"
                          << "No printer.";
  QTest::newRow("full stop") << "Done."
                             << "Done.";
  QTest::newRow("exclamation below stop") << "Stop!"
                                          << "Stop!";
  QTest::newRow("closing parenthesis") << "List index out of bounds (0)"
                                       << "List index out of bounds (0)";
  QTest::newRow("digit above stop") << "Error 5"
                                    << "Error 5.";
  QTest::newRow("slash above stop") << "Unable to write to /a/"
                                    << "Unable to write to /a/.";
  QTest::newRow("quote below stop") << "Invalid data type for 'Fonts'"
                                    << "Invalid data type for 'Fonts'";
  QTest::newRow("beyond ascii") << "Größe ü"
                                << "Größe ü.";
  QTest::newRow("empty") << ""
                         << "";
}

void ControlsTest::fullStopRule() {
  QFETCH(QString, text);
  QFETCH(QString, shown);
  QCOMPARE(QString::fromStdString(WithFullStop(text.toStdString())), shown);
}

void ControlsTest::errorHandlerShowsAndGoesOn() {
  FakeMessageBoxes boxes;
  ApplicationErrorHandler errors(boxes);
  errors.SetTitle("Glyphera");
  bool after = false;
  QVERIFY(!errors.Run([&] {
    throw PlatformError("There is no default printer currently selected");
    after = true;
  }));
  QVERIFY(!after);
  QVERIFY(errors.Run([] {}));
  QCOMPARE(boxes.shown.size(), std::size_t{1});
  QCOMPARE(boxes.shown[0].Kind, MessageKind::Error);
  QCOMPARE(boxes.shown[0].Title, std::string("Glyphera"));
  QCOMPARE(boxes.shown[0].Text, std::string("There is no default printer currently selected."));
}

void ControlsTest::mnemonics_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("shown");
  QTest::newRow("marker") << "Select A&ll"
                          << "Select All";
  QTest::newRow("doubled") << "Current Character:  38  &&"
                           << "Current Character:  38  &";
  QTest::newRow("panel") << "&&"
                         << "&";
  QTest::newRow("trailing marker") << "A&"
                                   << "A";
  QTest::newRow("none") << "Fonts: 12"
                        << "Fonts: 12";
}

void ControlsTest::mnemonics() {
  QFETCH(QString, caption);
  QFETCH(QString, shown);
  QCOMPARE(QString::fromStdString(StripMnemonics(caption.toStdString())), shown);
  Label label(caption.toStdString());
  QCOMPARE(label.text(), shown);
  QCOMPARE(label.Caption(), caption.toStdString());
}

void ControlsTest::labelWithBuddyKeepsMarkers() {
  QWidget window;
  Label label("Si&ze", &window);
  SpinEdit spin(4, 20, 12, &window);
  label.SetFocusControl(&spin);
  QCOMPARE(label.text(), QStringLiteral("Si&ze"));
  QCOMPARE(label.buddy(), &spin);
  QCOMPARE(label.accessibleName(), QStringLiteral("Size"));
}

void ControlsTest::elidedLines_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("maxLines");
  QTest::addColumn<bool>("cut");
  QTest::addColumn<bool>("wholeWords");
  QTest::addColumn<int>("lines");  // that the cut text takes
  const QString overlong(60, QLatin1Char('W'));
  QTest::newRow("fits") << "Styles: Regular, Bold" << 329 << 2 << false << true << 0;
  QTest::newRow("no limit") << kManyStyles << 329 << 0 << false << true << 0;
  QTest::newRow("two lines") << kManyStyles << 329 << 2 << true << true << 2;
  QTest::newRow("one line") << kManyStyles << 200 << 1 << true << true << 1;
  QTest::newRow("overlong second word") << "Styles: " + overlong << 200 << 2 << true << true << 1;
  QTest::newRow("one overlong word") << overlong << 200 << 2 << true << false << 1;
}

void ControlsTest::elidedLines() {
  QFETCH(QString, text);
  QFETCH(int, width);
  QFETCH(int, maxLines);
  QFETCH(bool, cut);
  QFETCH(bool, wholeWords);
  QFETCH(int, lines);
  const QString elided = ElidedLines(text, StylesFont(), width, maxLines);
  if (!cut) {
    QCOMPARE(elided, text);
    return;
  }
  QVERIFY(elided.endsWith(QChar(0x2026)));
  const QString kept = elided.chopped(1);
  QVERIFY(!kept.isEmpty() && text.startsWith(kept));
  const QChar next = text.at(kept.size());
  QCOMPARE(next == u' ' || next == u',', wholeWords);
  // Measured as a word-wrapping label draws it.
  const QRect drawn =
      QFontMetrics(StylesFont()).boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, elided);
  QVERIFY(drawn.width() <= width);
  QCOMPARE(qRound(drawn.height() / QFontMetricsF(StylesFont()).lineSpacing()), lines);
}

void ControlsTest::labelElidesOnlyWhatItShows() {
  Label label(kManyStyles.toStdString());
  label.setWordWrap(true);
  label.setFont(StylesFont());
  label.resize(329, 34);
  label.show();
  label.SetMaxLines(2);
  const QString twoLines = label.text();
  QVERIFY(twoLines.endsWith(QChar(0x2026)));
  QCOMPARE(QString::fromStdString(label.Caption()), kManyStyles);
  label.resize(200, 34);
  QVERIFY(label.text().size() < twoLines.size());
  label.resize(329, 34);
  label.setFont(StylesFont(14));
  QVERIFY(label.text().size() < twoLines.size());
}

void ControlsTest::spinEditValue_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("value");
  QTest::newRow("number") << "15" << 15;
  QTest::newRow("above range stays while typing") << "25" << 25;
  QTest::newRow("below range stays while typing") << "3" << 3;
  QTest::newRow("empty is the minimum") << "" << 4;
  QTest::newRow("sign alone is the minimum") << "-" << 4;
  QTest::newRow("negative") << "-7" << -7;
}

void ControlsTest::spinEditValue() {
  QFETCH(QString, text);
  QFETCH(int, value);
  SpinEdit spin(4, 20, 12);
  spin.findChild<QLineEdit*>()->setText(text);
  QCOMPARE(spin.Value(), value);
}

void ControlsTest::spinEditCorrectsOnFocusLoss_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("corrected");
  QTest::addColumn<int>("extraChanges");
  QTest::newRow("above") << "25"
                         << "20" << 1;
  QTest::newRow("below") << "2"
                         << "4" << 1;
  QTest::newRow("not a number") << ""
                                << "4" << 1;
  QTest::newRow("in range untouched") << "15"
                                      << "15" << 0;
}

void ControlsTest::spinEditCorrectsOnFocusLoss() {
  QFETCH(QString, typed);
  QFETCH(QString, corrected);
  QFETCH(int, extraChanges);
  QWidget window;
  auto* spin = new SpinEdit(4, 20, 12, &window);
  auto* other = new QLineEdit(&window);
  int changes = 0;
  spin->OnChange = [&] { ++changes; };
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  spin->setFocus();
  QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(spin, Qt::Key_Backspace);
  if (!typed.isEmpty()) QTest::keyClicks(spin, typed);
  const int changesWhileTyping = changes;
  QCOMPARE(spin->Value(), typed.isEmpty() ? 4 : typed.toInt());
  other->setFocus();
  QTRY_VERIFY(!spin->hasFocus());
  QCOMPARE(spin->findChild<QLineEdit*>()->text(), corrected);
  QCOMPARE(changes - changesWhileTyping, extraChanges);
}

void ControlsTest::spinEditStepsStayInRange() {
  SpinEdit spin(4, 20, 19);
  spin.stepBy(1);
  QCOMPARE(spin.Value(), 20);
  spin.stepBy(1);
  QCOMPARE(spin.Value(), 20);
  spin.stepBy(-30);
  QCOMPARE(spin.Value(), 4);
}

void ControlsTest::checkBoxFromProgramRunsClick() {
  CheckBox box("&Bold");
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  box.SetChecked(true);
  box.SetChecked(true);  // no change, no click
  box.SetChecked(false);
  QCOMPARE(clicks, 2);
  box.click();
  QCOMPARE(clicks, 3);
  QVERIFY(box.Checked());
}

void ControlsTest::memoTakesItsHiddenFontWhenShown() {
  Memo memo;
  memo.SetFontName("DejaVu Sans");
  memo.SetFontPoints(20);
  memo.SetBold(true);
  QCOMPARE(memo.font().pointSizeF(), 20.0);
  QVERIFY(memo.QPlainTextEdit::font().pointSizeF() != 20.0);  // nothing laid out while hidden
  memo.show();
  QVERIFY(QTest::qWaitForWindowExposed(&memo));
  const QFontInfo shown(memo.QPlainTextEdit::font());
  QCOMPARE(shown.family(), QStringLiteral("DejaVu Sans"));
  QVERIFY(shown.bold());
  QCOMPARE(memo.QPlainTextEdit::font().pointSizeF(), 20.0);
  memo.SetFontPoints(9);
  QCOMPARE(memo.QPlainTextEdit::font().pointSizeF(), 9.0);
}

// A memo of fixed height showing whole lines leaves blank the line its height would cut, for a
// tall face and a short one alike; its text still scrolls.
void ControlsTest::memoShowsWholeLines_data() {
  QTest::addColumn<QString>("family");
  QTest::newRow("tall C059") << "C059";
  QTest::newRow("DejaVu Sans") << "DejaVu Sans";
}

void ControlsTest::memoShowsWholeLines() {
  QFETCH(QString, family);
  Memo memo;
  memo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo.SetWholeLines(true);
  memo.setFont(QFont(family, 12));
  memo.SetText("ABCDEFG\r\nabcdefg\r\nThe quick brown fox\r\njumps over");
  memo.resize(300, 80);
  memo.show();
  QVERIFY(QTest::qWaitForWindowExposed(&memo));
  const int height = memo.viewport()->height();
  int whole = 0;
  for (QTextBlock block = memo.document()->firstBlock(); block.isValid(); block = block.next()) {
    const QRect line = memo.cursorRect(QTextCursor(block));
    if (line.top() >= height) break;
    QVERIFY2(line.bottom() < height, qPrintable(block.text()));
    ++whole;
  }
  QVERIFY(whole >= 1 && whole < 4);
}

// Tab and Shift+Tab in a memo move the focus on and back, as from any control, and type nothing.
void ControlsTest::memoTabMovesTheFocus_data() {
  QTest::addColumn<bool>("back");
  QTest::newRow("Tab") << false;
  QTest::newRow("Shift+Tab") << true;
}

void ControlsTest::memoTabMovesTheFocus() {
  QFETCH(bool, back);
  QWidget window;
  auto* before = new QLineEdit(&window);
  auto* memo = new Memo(&window);
  auto* after = new QLineEdit(&window);
  window.show();
  QApplication::setActiveWindow(&window);
  memo->setFocus();
  QTest::keyClick(memo, Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
  QCOMPARE(QApplication::focusWidget(), back ? before : after);
  QVERIFY(memo->toPlainText().isEmpty());
}

void ControlsTest::listBoxSortsWithoutRegardToCase() {
  ListBox list;
  list.SetSorted(true);
  list.AddAll({"Verdana", "arial", "Courier", "Arial"});
  list.Add("bookman");
  list.Add("ZAPF");
  std::vector<std::string> texts;
  for (int i = 0; i < list.Count(); ++i) texts.push_back(list.Text(i));
  QCOMPARE(texts.size(), std::size_t{6});
  QCOMPARE(QString::fromStdString(texts[0]).toLower(), QStringLiteral("arial"));
  QCOMPARE(QString::fromStdString(texts[1]).toLower(), QStringLiteral("arial"));
  QCOMPARE(texts[2], std::string("bookman"));
  QCOMPARE(texts[3], std::string("Courier"));
  QCOMPARE(texts[4], std::string("Verdana"));
  QCOMPARE(texts[5], std::string("ZAPF"));

  ListBox unsorted;
  unsorted.AddAll({"b", "a"});
  QCOMPARE(unsorted.Text(0), std::string("b"));
}

void ControlsTest::listBoxProgramSelectionIsQuiet() {
  ListBox list;
  list.SetMultiSelect(true);
  list.AddAll({"a", "b", "c", "d"});
  int clicks = 0;
  list.OnClick = [&] { ++clicks; };
  list.SetSelected(0, true);
  list.SelectRange(1, 3);
  list.SetSelected(2, false);
  QCOMPARE(clicks, 0);
  QCOMPARE(list.SelCount(), 3);
  QVERIFY(list.Selected(3));
  QVERIFY(!list.Selected(2));
  QCOMPARE(list.ItemIndex(), 0);
}

void ControlsTest::listBoxUserSelectionRunsClick() {
  ListBox list;
  list.SetMultiSelect(true);
  list.AddAll({"a", "b", "c"});
  list.resize(200, 200);
  list.show();
  QVERIFY(QTest::qWaitForWindowExposed(&list));
  int clicks = 0;
  list.OnClick = [&] { ++clicks; };
  const QRect second = list.visualRect(list.model()->index(1, 0));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
  QCOMPARE(clicks, 1);
  QCOMPARE(list.ItemIndex(), 1);
  const QRect third = list.visualRect(list.model()->index(2, 0));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, third.center());
  QCOMPARE(list.SelCount(), 2);
  // Ctrl-clicking a selected entry deselects it and still makes it the focused one.
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, second.center());
  QCOMPARE(list.SelCount(), 1);
  QCOMPARE(list.ItemIndex(), 1);
  QCOMPARE(clicks, 3);
}

// Shift+F10 opens a list's context menu at its focused item, as the Menu key does.
void ControlsTest::listBoxShiftF10OpensContextMenu() {
  ListBox list;
  list.AddAll({"a", "b"});
  int runs = 0;
  list.ContextCommands.push_back({"Print Coverage", [&] { ++runs; }});
  list.show();
  QVERIFY(QTest::qWaitForWindowExposed(&list));
  list.SetItemIndex(1);
  QStringList shown;
  QTimer::singleShot(0, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* action : menu->actions()) shown << action->text();
      menu->actions().front()->trigger();
      menu->close();
    }
  });
  QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
  QCOMPARE(shown, QStringList{QStringLiteral("Print Coverage")});
  QCOMPARE(runs, 1);
}

void ControlsTest::listBoxIndexErrors() {
  ListBox list;
  QCOMPARE(list.ItemIndex(), -1);
  try {
    list.SetSelected(0, true);
    QFAIL("no error for an empty list");
  } catch (const PlatformError& error) {
    QCOMPARE(std::string(error.what()), std::string("List index out of bounds (0)"));
  }
  list.Add("a");
  QVERIFY_THROWS_EXCEPTION(PlatformError, list.Text(1));
  QCOMPARE(list.Text(0), std::string("a"));
}

void ControlsTest::listBoxDeleteKeepsOtherSelections() {
  ListBox single;
  single.AddAll({"a", "b", "c"});
  single.SetItemIndex(1);
  single.Delete(1);
  QCOMPARE(single.SelCount(), 0);  // the neighbour is not selected in its place
  QCOMPARE(single.Count(), 2);

  ListBox multiple;
  multiple.SetMultiSelect(true);
  multiple.AddAll({"a", "b", "c", "d"});
  multiple.SetSelected(0, true);
  multiple.SetSelected(2, true);
  multiple.Delete(1);
  QVERIFY(multiple.Selected(0));
  QVERIFY(multiple.Selected(1));
  QVERIFY(!multiple.Selected(2));
  QCOMPARE(multiple.Text(1), std::string("c"));
}

// The frame's top line runs through the title's middle, so a control placed below the title
// (the paragraph sizes' first row, 18 pixels down) is not crossed by it.
void ControlsTest::groupTitleSitsOnTheFrameLine() {
  QGroupBox box(QStringLiteral(" Paragraph Point Sizes "));
  box.resize(201, 125);
  QStyleOptionGroupBox option;
  option.initFrom(&box);
  option.text = box.title();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  const TitleOnFrameStyle& style = *TitleOnFrameStyle::Instance();
  const QRect label =
      style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
  const QRect frame =
      style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &box);
  QCOMPARE(frame.top(), label.center().y());
  QVERIFY2(frame.top() < 18, qPrintable(QString::number(frame.top())));
}

void ControlsTest::gridMovesRunClickOncePerRealMove() {
  Grid grid(32, 7);
  int clicks = 0;
  grid.OnClick = [&] { ++clicks; };
  QCOMPARE(grid.Col(), 0);
  QCOMPARE(grid.Row(), 0);
  grid.SetCol(1);
  grid.SetRow(1);
  QCOMPARE(clicks, 2);
  grid.SetCol(1);  // already there
  grid.SetRow(1);
  QCOMPARE(clicks, 2);
  QCOMPARE(grid.Col(), 1);
  QCOMPARE(grid.Row(), 1);
}

// The font map's grid at a dpi and a device pixel ratio: the frame and grid lines met along the
// first row and down the first column are equal steps apart, a step being a cell and its line.
void ControlsTest::gridCellsAreEqualOnTheDevice_data() {
  QTest::addColumn<int>("dpi");
  QTest::addColumn<double>("ratio");
  QTest::addColumn<QSize>("step");
  QTest::newRow("96 dpi") << 96 << 1.0 << QSize(18, 25);
  QTest::newRow("96 dpi at 1.25") << 96 << 1.25 << QSize(23, 31);
  QTest::newRow("96 dpi at 1.5") << 96 << 1.5 << QSize(28, 38);
}

void ControlsTest::gridCellsAreEqualOnTheDevice() {
  QFETCH(int, dpi);
  QFETCH(double, ratio);
  QFETCH(QSize, step);
  Grid grid(32, 7);
  grid.SetDefaultColWidth(22, DesignScale(dpi));
  grid.SetDefaultRowHeight(24);
  grid.clearSelection();
  grid.resize(GridTracks(32, 23.0 * dpi / 120).LogicalSpan(ratio),
              GridTracks(7, 25).LogicalSpan(ratio));
  QImage image((grid.size() + QSize(2, 2)) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  grid.render(&image, QPoint(1, 1));  // at 1.25 the grid's edge falls inside a device pixel
  const int at = qRound(ratio);
  for (const auto& [cells, apart, right] :
       {std::tuple{32, step.width(), true}, {7, step.height(), false}}) {
    std::vector<int> lines;
    std::vector<int> expected;
    for (int i = 0; i < (right ? image.width() : image.height()); ++i) {
      if (qGray(right ? image.pixel(i, at + 2) : image.pixel(at + 2, i)) < 240) lines.push_back(i);
    }
    for (int i = 0; i <= cells; ++i) expected.push_back(at + i * apart);
    QCOMPARE(lines, expected);
  }
}

void ControlsTest::windows1252Mapping() {
  QCOMPARE(Windows1252ToUnicode(65), char32_t{'A'});
  QCOMPARE(Windows1252ToUnicode(0x80), char32_t{0x20AC});
  QCOMPARE(Windows1252ToUnicode(0x81), char32_t{0x81});
  QCOMPARE(Windows1252ToUnicode(0x99), char32_t{0x2122});
  QCOMPARE(Windows1252ToUnicode(0x9F), char32_t{0x178});
  QCOMPARE(Windows1252ToUnicode(0xFF), char32_t{0xFF});
  QCOMPARE(SymbolCodePoint(65), char32_t{0xF041});
}

void ControlsTest::controlsSpeakToScreenReaders() {
  QWidget window;
  auto* label = new Label("Si&ze", &window);
  auto* spin = new SpinEdit(4, 20, 12, &window);
  label->SetFocusControl(spin);
  auto* box = new CheckBox("&Bold", &window);
  box->SetChecked(true);
  auto* list = new ListBox(&window);
  list->AddAll({"Arial", "Courier"});
  auto* grid = new Grid(2, 1, &window);
  grid->SetCell(1, 0, QStringLiteral("&"));
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  QAccessibleInterface* spinInfo = QAccessible::queryAccessibleInterface(spin);
  QVERIFY(spinInfo != nullptr);
  QCOMPARE(spinInfo->text(QAccessible::Name), QStringLiteral("Size"));
  QVERIFY(spinInfo->valueInterface() != nullptr);
  QCOMPARE(spinInfo->valueInterface()->currentValue().toInt(), 12);
  QCOMPARE(spinInfo->valueInterface()->maximumValue().toInt(), 20);

  QAccessibleInterface* boxInfo = QAccessible::queryAccessibleInterface(box);
  QCOMPARE(boxInfo->text(QAccessible::Name), QStringLiteral("Bold"));
  QVERIFY(boxInfo->state().checked);

  QAccessibleInterface* listInfo = QAccessible::queryAccessibleInterface(list);
  QVERIFY(listInfo->tableInterface() != nullptr || listInfo->childCount() >= 2);
  QStringList items;
  for (int i = 0; i < listInfo->childCount(); ++i)
    items << listInfo->child(i)->text(QAccessible::Name);
  QVERIFY(items.contains(QStringLiteral("Courier")));

  QAccessibleInterface* gridInfo = QAccessible::queryAccessibleInterface(grid);
  QVERIFY(gridInfo->tableInterface() != nullptr);
  QCOMPARE(gridInfo->tableInterface()->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("&"));
}

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>
#include <vector>

#include "app/TfrmMain.h"
#include "fixtures/MainWindowHarness.h"
#include "fixtures/TrueTypeBuilder.h"
#include "install/PreviewInstallPage.h"
#include "widgets/DirectoryListBox.h"

namespace {

enum class Effect { Click, Focus, ShowPage, OpenMenu, Nothing };
// The Preview/Install page as at start, with a face file in the folder shown, or with that face
// read and selected (which enables Print and Install and disables Preview Fonts).
enum class Faces { None, InFolder, Selected };

// Alt and a letter while a page is shown. The caption names the button or check box clicked,
// the label whose buddy takes the focus, the tab of the page shown or the menu opened.
struct LetterRow {
  Page page;
  char letter;
  Effect effect;
  const char* caption;
  Faces faces = Faces::None;
  bool handlerFocuses = false;  // the clicked command puts the focus somewhere itself
};

template <typename T>
T* Shown(TfrmMain& form, const QString& caption) {
  for (T* widget : form.findChildren<T*>()) {
    if (widget->isVisible() && widget->text() == caption) return widget;
  }
  return nullptr;
}

void ShowFaces(PreviewInstallPage& p, const std::string& folder, Faces faces) {
  std::filesystem::create_directories(folder);
  TrueTypeBuilder().MacName(1, "Cabin").MacName(4, "Cabin Regular").WriteTo(folder, "a.ttf");
  p.Dir1->SetDirectory(folder);
  if (faces != Faces::Selected) return;
  QTest::mouseClick(p.cmdPreview, Qt::LeftButton);
  QTest::mouseClick(p.cmdAddAll, Qt::LeftButton);
}

}  // namespace

Q_DECLARE_METATYPE(LetterRow)

class AcceleratorsTest : public QObject {
  Q_OBJECT
 private slots:
  void altLetters_data();
  void altLetters();
};

void AcceleratorsTest::altLetters_data() {
  QTest::addColumn<LetterRow>("row");
  const auto add = [](const char* page, LetterRow row) {
    QTest::addRow("%s Alt+%c", page, row.letter) << row;
  };
  using enum Effect;
  constexpr Page M = Page::Main, L = Page::LargeSample, O = Page::FontMap, A = Page::ShowAll,
                 E = Page::Edit, I = Page::Install;
  add("Main", {M, 'S', Click, "&Sample Text"});
  add("Main", {M, 'C', Click, "&Character Chart"});
  add("Main", {M, 'U', Click, "F&ull Page Sample"});
  add("Main", {M, 'T', Click, "&Text Paragraphs"});
  add("Main", {M, 'Z', Focus, "Si&ze"});
  add("Main", {M, 'D', Click, "Hea&ding Font"});
  add("Main", {M, 'L', Click, "Select A&ll"});
  add("Main", {M, 'R', Click, "P&rint Setup"});
  add("Main", {M, 'P', Click, "&Print"});
  add("Main", {M, 'O', ShowPage, "F&ont Map"});
  add("Main", {M, 'I', ShowPage, "Preview/&Install"});
  add("Main", {M, 'F', OpenMenu, "&File"});
  add("Large Sample", {L, 'B', Click, "&Bold"});
  add("Large Sample", {L, 'I', Click, "&Italic"});
  add("Large Sample", {L, 'M', ShowPage, "&Main"});
  add("Large Sample", {L, 'H', OpenMenu, "&Help"});
  add("Font Map", {O, 'B', Click, "&Bold"});
  add("Font Map", {O, 'I', Click, "&Italic"});
  add("Font Map", {O, 'L', ShowPage, "&Large Sample"});
  add("Show All", {A, 'E', ShowPage, "&Edit Sample Text"});
  add("Show All", {A, 'I', ShowPage, "Preview/&Install"});
  add("Edit", {E, 'S', Click, "&Save"});
  add("Edit", {E, 'A', ShowPage, "Show &All Selected"});
  add("Install", {I, 'P', Click, "&Preview Fonts", Faces::InFolder, true});
  add("Install selected", {I, 'P', Click, "&Print", Faces::Selected});
  add("Install selected", {I, 'I', Click, "&Install", Faces::Selected});
  add("Install", {I, 'I', Nothing, nullptr});  // Install is disabled and keeps its letter
  add("Install", {I, 'Z', Focus, "Sample Si&ze"});
  add("Install", {I, 'S', Focus, "Print &Size"});
  add("Install", {I, 'M', ShowPage, "&Main"});
}

void AcceleratorsTest::altLetters() {
  QFETCH(LetterRow, row);
  MainWindowHarness h;
  h.UseFonts({"Times New Roman", "arial", "Courier New"});
  h.SeedRegistry(h.dir.File("fonts"));
  TfrmMain& form = h.Show();
  QTabWidget& pages = *form.PageControl1();
  pages.setCurrentIndex(static_cast<int>(row.page));
  if (row.faces != Faces::None) ShowFaces(form.tabInstall(), h.dir.File("preview"), row.faces);
  std::vector<QAbstractButton*> clicked;
  for (QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
    connect(button, &QAbstractButton::clicked, this,
            [&clicked, button] { clicked.push_back(button); });
  }
  const QString caption = QString::fromUtf8(row.caption);
  QAbstractButton* button = Shown<QAbstractButton>(form, caption);
  const bool wasChecked = button != nullptr && button->isChecked();

  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus != nullptr ? focus : &form, Qt::Key(row.letter), Qt::AltModifier);

  const bool click = row.effect == Effect::Click;
  QTRY_COMPARE(clicked, click ? std::vector{button} : std::vector<QAbstractButton*>{});
  if (click) QCOMPARE(button->isChecked(), button->isCheckable() && !wasChecked);
  // A letter clicks as a mnemonic does: the focus stays where the user left it.
  if (click && !row.handlerFocuses) QCOMPARE(QApplication::focusWidget(), focus);
  if (row.effect == Effect::Focus) {
    QCOMPARE(QApplication::focusWidget(), Shown<QLabel>(form, caption)->buddy());
  }
  QCOMPARE(pages.tabText(pages.currentIndex()),
           row.effect == Effect::ShowPage ? caption : pages.tabText(int(row.page)));
  if (row.effect == Effect::OpenMenu) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->title(), caption);
    menu->close();
  }
}

QTEST_MAIN(AcceleratorsTest)
#include "AcceleratorsTest.moc"

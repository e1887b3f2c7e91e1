#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>
#include <QtTest>
#include <fstream>
#include <string>
#include <vector>

#include "fixtures/TempDir.h"
#include "platform/desktop/HelpWindow.h"

namespace {

const QString kHelpFile = QStringLiteral(GLYPHERA_SOURCE_DIR "/resources/GLYPHERA.HLP");

struct Report {
  std::string title;
  std::string text;
};

// A help engine whose error reports are collected instead of shown.
struct RecordingHelp {
  std::vector<Report> reports;
  HelpWindow help{[this](const std::string& title, const std::string& text) {
    reports.push_back({title, text});
  }};
};

QString ReadHelpSource() {
  QFile file(kHelpFile);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

QStringList Captures(const QString& text, const QString& pattern) {
  QStringList found;
  auto matches =
      QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption).globalMatch(text);
  while (matches.hasNext()) found << matches.next().captured(1);
  return found;
}

// Anchors are <a name="x"> or an id="x" attribute.
QStringList AnchorNames(const QString& html) {
  return Captures(html, "<a\\s[^>]*\\bname\\s*=\\s*\"([^\"]+)\"") +
         Captures(html, "\\bid\\s*=\\s*\"([^\"]+)\"");
}

QStringList InPageLinks(const QString& html) {
  return Captures(html, "\\bhref\\s*=\\s*\"#([^\"]*)\"");
}

// Headings as the browser renders them.
QStringList RenderedHeadings(const QTextDocument& document) {
  QStringList headings;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() > 0) headings << block.text().trimmed();
  }
  return headings;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

int VisibleHelpWindows() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->windowTitle() == "Glyphera Help") ++count;
  }
  return count;
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void realHelpFileIsShownFromItsTop();
  void helpFileHasSectionFor_data();
  void helpFileHasSectionFor();
  void everyInPageLinkHasOneMatchingAnchor();
  void helpFileIsSelfContained();
  void helpFileQuotesMessages_data();
  void helpFileQuotesMessages();
  void inPageLinkScrollsAndOtherLinksAreIgnored();
  void missingFileIsReportedAndShowsNoWindow();
  void folderInsteadOfFileIsReported();
  void showingAgainReusesTheWindowAndReloadsTheFile();
  void windowGoesWithItsOwner();
};

void HelpWindowTest::realHelpFileIsShownFromItsTop() {
  RecordingHelp recorder;
  recorder.help.ShowContents(kHelpFile.toStdString());

  QVERIFY(recorder.reports.empty());
  QTextBrowser* browser = recorder.help.Browser();
  QVERIFY(browser != nullptr);
  QWidget* window = recorder.help.Window();
  QVERIFY(window->isVisible());
  QVERIFY(window->isWindow());
  QCOMPARE(window->parentWidget(), nullptr);
  QVERIFY(!window->isModal());
  QCOMPARE(window->windowTitle(), QString("Glyphera Help"));
  QCOMPARE(window->size(), QSize(640, 560));

  QCOMPARE(browser->document()->metaInformation(QTextDocument::DocumentTitle),
           QString("Glyphera Help"));
  QVERIFY(browser->toPlainText().startsWith("Glyphera Help"));
  // The document is long enough to scroll, and it is shown from its top.
  QVERIFY(browser->verticalScrollBar()->maximum() > 0);
  QCOMPARE(browser->verticalScrollBar()->value(), 0);
}

void HelpWindowTest::helpFileHasSectionFor_data() {
  QTest::addColumn<QString>("subject");
  // The six pages, by their captions without the underline marker, and the four printouts.
  for (const char* caption : {"&Main", "&Large Sample", "F&ont Map", "Show &All Selected",
                              "&Edit Sample Text", "Preview/&Install"}) {
    const QString subject = QString(caption).remove('&');
    QTest::newRow(qPrintable(subject)) << subject + " page";
  }
  for (const char* printout :
       {"Sample Text", "Character Chart", "Full Page Sample", "Text Paragraphs"}) {
    QTest::newRow(printout) << QString(printout) + " printout";
  }
}

void HelpWindowTest::helpFileHasSectionFor() {
  QFETCH(QString, subject);
  RecordingHelp recorder;
  recorder.help.ShowContents(kHelpFile.toStdString());
  QVERIFY(recorder.help.Browser() != nullptr);

  const QStringList headings = RenderedHeadings(*recorder.help.Browser()->document());
  QVERIFY2(headings.contains(subject, Qt::CaseInsensitive),
           qPrintable("no heading \"" + subject + "\" among: " + headings.join(" | ")));

  // The section is reachable from the contents: its heading carries an anchor that is linked.
  const QString html = ReadHelpSource();
  const QRegularExpression heading(
      "<h[1-6][^>]*>\\s*<a\\s[^>]*name\\s*=\\s*\"([^\"]+)\"[^>]*>\\s*" +
          QRegularExpression::escape(subject) + "\\s*</a>",
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = heading.match(html);
  QVERIFY2(match.hasMatch(), qPrintable("heading \"" + subject + "\" has no anchor"));
  QVERIFY2(InPageLinks(html).contains(match.captured(1)),
           qPrintable("no link to #" + match.captured(1)));
}

void HelpWindowTest::everyInPageLinkHasOneMatchingAnchor() {
  const QString html = ReadHelpSource();
  QVERIFY(!html.isEmpty());

  const QStringList anchors = AnchorNames(html);
  const QSet<QString> anchorSet(anchors.begin(), anchors.end());
  QCOMPARE(anchorSet.size(), anchors.size());  // no anchor name is used twice

  const QStringList links = InPageLinks(html);
  QVERIFY(links.size() >= 20);  // a contents list at least
  for (const QString& target : links) {
    QVERIFY2(!target.isEmpty(), "a link to an empty anchor");
    QVERIFY2(anchorSet.contains(target), qPrintable("no anchor for #" + target));
  }
}

void HelpWindowTest::helpFileIsSelfContained() {
  const QString html = ReadHelpSource();
  QVERIFY(!html.isEmpty());
  QVERIFY(!html.contains("<script", Qt::CaseInsensitive));
  QVERIFY(!html.contains("<img", Qt::CaseInsensitive));
  QVERIFY(!html.contains("<link", Qt::CaseInsensitive));
  QVERIFY(!html.contains(QRegularExpression("\\bsrc\\s*=")));
  QVERIFY(!html.contains(QRegularExpression("url\\s*\\(")));
  // Every link stays within the page.
  const QStringList hrefs = Captures(html, "\\bhref\\s*=\\s*\"([^\"]*)\"");
  for (const QString& href : hrefs) QVERIFY2(href.startsWith('#'), qPrintable(href));
}

void HelpWindowTest::helpFileQuotesMessages_data() {
  QTest::addColumn<QString>("message");
  QTest::newRow("no print options") << "You have not selected any print options.";
  QTest::newRow("no paragraph sizes")
      << "You have not selected any point\nsizes for the text paragraphs.";
  QTest::newRow("page refused") << "The currently selected font does not have an equivalent "
                                   "screen font,\nso the large sample and font map are not "
                                   "available.";
  QTest::newRow("no screen font")
      << "This font does not have an equivalent screen font and cannot be displayed.";
  QTest::newRow("help file") << "Cannot open the help file";
}

void HelpWindowTest::helpFileQuotesMessages() {
  QFETCH(QString, message);
  RecordingHelp recorder;
  recorder.help.ShowContents(kHelpFile.toStdString());
  QVERIFY(recorder.help.Browser() != nullptr);
  // A <br> renders as a line separator within its paragraph.
  QString text = recorder.help.Browser()->toPlainText();
  text.replace(QChar::LineSeparator, '\n');
  text.replace(QRegularExpression("[ \t]*\n[ \t]*"), "\n");
  QVERIFY2(text.contains(message), qPrintable(message));
}

void HelpWindowTest::inPageLinkScrollsAndOtherLinksAreIgnored() {
  RecordingHelp recorder;
  recorder.help.ShowContents(kHelpFile.toStdString());
  QTextBrowser* browser = recorder.help.Browser();
  QVERIFY(browser != nullptr);
  QScrollBar* scroll = browser->verticalScrollBar();
  QCOMPARE(scroll->value(), 0);

  emit browser->anchorClicked(QUrl("#contents"));
  const int atContents = scroll->value();
  QVERIFY(atContents > 0);

  // Links that lead out of the page change neither the page nor its position.
  const QString text = browser->toPlainText();
  emit browser->anchorClicked(QUrl("https://example.org/elsewhere.html"));
  emit browser->anchorClicked(QUrl("other.html#files"));
  QCOMPARE(browser->toPlainText(), text);
  QCOMPARE(scroll->value(), atContents);
  QVERIFY(browser->source().isEmpty());

  // Anchors lead to their own places, in the order of the page.
  emit browser->anchorClicked(QUrl("#files"));
  QVERIFY(scroll->value() > atContents);
  emit browser->anchorClicked(QUrl("#top"));
  QVERIFY(scroll->value() < atContents);
}

void HelpWindowTest::missingFileIsReportedAndShowsNoWindow() {
  TempDir folder;
  const std::string path = folder.File("GLYPHERA.HLP");
  RecordingHelp recorder;
  recorder.help.ShowContents(path);

  QCOMPARE(recorder.reports.size(), size_t(1));
  QCOMPARE(recorder.reports[0].title, std::string("Glyphera Help"));
  QCOMPARE(recorder.reports[0].text, "Cannot open the help file " + path + ".");
  QCOMPARE(recorder.help.Browser(), nullptr);
  QCOMPARE(recorder.help.Window(), nullptr);
  QCOMPARE(VisibleHelpWindows(), 0);
}

void HelpWindowTest::folderInsteadOfFileIsReported() {
  TempDir folder;
  RecordingHelp recorder;
  recorder.help.ShowContents(folder.Path());

  QCOMPARE(recorder.reports.size(), size_t(1));
  QCOMPARE(recorder.reports[0].text, "Cannot open the help file " + folder.Path() + ".");
  QCOMPARE(recorder.help.Window(), nullptr);
}

void HelpWindowTest::showingAgainReusesTheWindowAndReloadsTheFile() {
  TempDir folder;
  const std::string path = folder.File("GLYPHERA.HLP");
  std::string longPage = "<html><head><title>First</title></head><body><h1>First text</h1>";
  for (int i = 0; i < 200; ++i) longPage += "<p>line " + std::to_string(i) + "</p>";
  WriteFile(path, longPage + "</body></html>");

  RecordingHelp recorder;
  recorder.help.ShowContents(path);
  QWidget* window = recorder.help.Window();
  QTextBrowser* browser = recorder.help.Browser();
  QVERIFY(window != nullptr);
  QVERIFY(browser->toPlainText().contains("First text"));
  QCOMPARE(browser->documentTitle(), QString("First"));

  // The user scrolls down and closes the window; the file changes meanwhile.
  browser->verticalScrollBar()->setValue(browser->verticalScrollBar()->maximum());
  QVERIFY(browser->verticalScrollBar()->value() > 0);
  window->close();
  QVERIFY(!window->isVisible());
  WriteFile(path, longPage + "<p>Second text</p></body></html>");

  recorder.help.ShowContents(path);
  QCOMPARE(recorder.help.Window(), window);
  QCOMPARE(recorder.help.Browser(), browser);
  QVERIFY(window->isVisible());
  QVERIFY(browser->toPlainText().contains("Second text"));
  QCOMPARE(browser->verticalScrollBar()->value(), 0);
  QCOMPARE(VisibleHelpWindows(), 1);

  recorder.help.ShowContents(path);  // shown while already visible
  QCOMPARE(recorder.help.Window(), window);
  QCOMPARE(VisibleHelpWindows(), 1);
  QVERIFY(recorder.reports.empty());
}

void HelpWindowTest::windowGoesWithItsOwner() {
  QPointer<QWidget> window;
  {
    RecordingHelp recorder;
    recorder.help.ShowContents(kHelpFile.toStdString());
    window = recorder.help.Window();
    QVERIFY(!window.isNull());
  }
  QVERIFY(window.isNull());
  QCOMPARE(VisibleHelpWindows(), 0);
}

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"

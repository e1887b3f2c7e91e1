#include "widgets/Memo.h"

#include <QAbstractTextDocumentLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QWindow>
#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/text/QtText.h"

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent) {
  // Tab and Shift+Tab move the focus on and back, as from every other control; a memo never
  // types a tab, so that the controls after it stay reachable from the keyboard.
  setTabChangesFocus(true);
}

std::string Memo::Text() const {
  return FromDisplayLines(toPlainText());
}

void Memo::SetText(const std::string& text) {
  setPlainText(ToDisplayLines(text));
}

QFont Memo::font() const {
  if (!pending_) return QPlainTextEdit::font();
  if (faceChanged_) {
    pending_ = face_.Applied(*pending_);
    faceChanged_ = false;
  }
  return *pending_;
}

std::string Memo::FontName() const {
  if (!face_.Name().empty()) return face_.Name();
  const QFont shown = font();
  const QStringList families = shown.families();
  return ToStdString(families.isEmpty() ? shown.family() : families.front());
}

void Memo::SetFontName(const std::string& faceName) {
  face_.SetName(faceName);
  FaceChanged();
}

void Memo::SetBold(bool bold) {
  face_.SetBold(bold);
  FaceChanged();
}

void Memo::SetItalic(bool italic) {
  face_.SetItalic(italic);
  FaceChanged();
}

bool Memo::Shown() const {
  return isVisible() && !awaitingWindow_;
}

void Memo::FaceChanged() {
  if (Shown()) {
    setFont(face_.Applied(QPlainTextEdit::font()));
    return;
  }
  if (!pending_) pending_ = QPlainTextEdit::font();
  faceChanged_ = true;
}

void Memo::SetFontPoints(double points) {
  if (Shown()) {
    QFont f = QPlainTextEdit::font();
    f.setPointSizeF(points);
    setFont(f);
    return;
  }
  if (!pending_) pending_ = QPlainTextEdit::font();
  pending_->setPointSizeF(points);
}

void Memo::SetFont(const QFont& font) {
  if (Shown()) {
    setFont(font);
    return;
  }
  pending_ = font;
  faceChanged_ = false;
}

void Memo::showEvent(QShowEvent* event) {
  // A window shows its controls before its own show handler runs, and that handler may give
  // this memo another face at once: the font is taken when the window has finished showing,
  // so that a face shown for no time is never chosen nor laid out.
  QWidget* shownWindow = window();
  const QWindow* handle = shownWindow->windowHandle();
  if (pending_ && (!handle || !handle->isVisible())) {
    if (!awaitingWindow_) shownWindow->installEventFilter(this);
    awaitingWindow_ = true;
  } else {
    ApplyPending();
  }
  QPlainTextEdit::showEvent(event);
}

bool Memo::eventFilter(QObject* watched, QEvent* event) {
  if (awaitingWindow_ && watched == window() && event->type() == QEvent::ShowToParent) {
    watched->removeEventFilter(this);
    awaitingWindow_ = false;
    if (isVisible()) ApplyPending();
  }
  return QPlainTextEdit::eventFilter(watched, event);
}

void Memo::ApplyPending() {
  if (!pending_) return;
  const QFont shown = font();
  pending_.reset();
  setFont(shown);
}

void Memo::SetWholeLines(bool wholeLines) {
  wholeLines_ = wholeLines;
  // The strip below the last whole line is the memo's own, in the colour of its text's ground.
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(wholeLines);
  if (wholeLines && !wholeLinesWatched_) {
    wholeLinesWatched_ = true;
    // A new font or text changes the height of a line.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this] { FitWholeLines(); });
  }
  FitWholeLines();
}

void Memo::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  FitWholeLines();
}

void Memo::FitWholeLines() {
  int bottom = 0;
  const QTextBlock first = document()->firstBlock();
  const QTextLayout* layout = first.layout();
  if (wholeLines_ && layout != nullptr && layout->lineCount() > 0) {
    const qreal line = blockBoundingRect(first).height() / layout->lineCount();
    const qreal top = document()->documentMargin();
    const int room = contentsRect().height();
    const int lines = line > 0 ? static_cast<int>((room - top) / line) : 0;
    // Without room for one whole line, the part of one is still better than nothing.
    if (lines > 0) bottom = room - static_cast<int>(std::ceil(top + lines * line));
  }
  if (viewportMargins().bottom() != bottom) setViewportMargins(0, 0, 0, std::max(bottom, 0));
}

void Memo::SetFontColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Text, color);
  setPalette(p);
}

QColor Memo::FontColor() const {
  return palette().color(QPalette::Text);
}

namespace {

// A line break is "\r\n" in the memo's text: two characters, wherever it comes from.
int TextLength(const QString& text) {
  int length = 0;
  for (const QChar c : text) {
    const bool lineBreak =
        c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
    length += lineBreak ? 2 : 1;
  }
  return length;
}

}  // namespace

int Memo::Room() const {
  if (maxLength_ <= 0) return INT_MAX;
  // The document holds one character per line break, and one more at its end.
  const int length = document()->characterCount() - 1 + document()->blockCount() - 1;
  return maxLength_ - (length - TextLength(textCursor().selectedText()));
}

QString Memo::Fitting(QString text) const {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  int room = std::max(Room(), 0);
  qsizetype kept = 0;
  while (kept < text.size() && TextLength(text.mid(kept, 1)) <= room) {
    room -= TextLength(text.mid(kept, 1));
    ++kept;
  }
  // Never leave half of a character that needs two UTF-16 units.
  if (kept > 0 && kept < text.size() && text.at(kept - 1).isHighSurrogate()) --kept;
  text.truncate(kept);
  return text;
}

void Memo::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool inserts = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\r"));
  // Enter gives "\r", a line break: two characters of the text.
  const int cost = typed == QLatin1String("\r") ? 2 : TextLength(typed);
  if (inserts && !(event->modifiers() & Qt::ControlModifier) && cost > Room()) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void Memo::insertFromMimeData(const QMimeData* source) {
  if (maxLength_ <= 0 || !source->hasText()) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  textCursor().insertText(Fitting(source->text()));
}

void Memo::inputMethodEvent(QInputMethodEvent* event) {
  const QString fitting = maxLength_ > 0 ? Fitting(event->commitString()) : event->commitString();
  if (fitting.size() == event->commitString().size()) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  // A composed text too long is cut as a pasted one is.
  QInputMethodEvent cut(event->preeditString(), event->attributes());
  cut.setCommitString(fitting, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&cut);
  event->accept();
}

#include "platform/Memo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <algorithm>
#include <climits>

#include "platform/QtText.h"

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent) {}

std::string Memo::Text() const {
  return FromDisplayLines(toPlainText());
}

void Memo::SetText(const std::string& text) {
  setPlainText(ToDisplayLines(text));
}

std::string Memo::FontName() const {
  if (!face_.Name().empty()) return face_.Name();
  const QStringList families = font().families();
  return ToStdString(families.isEmpty() ? font().family() : families.front());
}

void Memo::SetFontName(const std::string& faceName) {
  setFont(face_.WithName(font(), faceName));
}

void Memo::SetFontPoints(double points) {
  QFont f = font();
  f.setPointSizeF(points);
  setFont(f);
}

void Memo::SetBold(bool bold) {
  setFont(face_.WithBold(font(), bold));
}

void Memo::SetItalic(bool italic) {
  setFont(face_.WithItalic(font(), italic));
}

void Memo::SetFontColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Text, color);
  setPalette(p);
}

QColor Memo::FontColor() const {
  return palette().color(QPalette::Text);
}

int Memo::Room() const {
  if (maxLength_ <= 0) return INT_MAX;
  const int length = document()->characterCount() - 1;
  const int selected = static_cast<int>(textCursor().selectedText().size());
  return maxLength_ - (length - selected);
}

void Memo::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool inserts = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\r"));
  if (inserts && !(event->modifiers() & Qt::ControlModifier) && typed.size() > Room()) {
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
  QString text = source->text();
  const int room = std::max(Room(), 0);
  if (text.size() > room) {
    text.truncate(room);
    // Never leave half of a character that needs two UTF-16 units.
    if (!text.isEmpty() && text.back().isHighSurrogate()) text.chop(1);
  }
  textCursor().insertText(text);
}

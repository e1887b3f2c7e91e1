#include "platform/Memo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QShowEvent>
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

void Memo::FaceChanged() {
  if (isVisible()) {
    setFont(face_.Applied(QPlainTextEdit::font()));
    return;
  }
  if (!pending_) pending_ = QPlainTextEdit::font();
  faceChanged_ = true;
}

void Memo::SetFontPoints(double points) {
  if (isVisible()) {
    QFont f = QPlainTextEdit::font();
    f.setPointSizeF(points);
    setFont(f);
    return;
  }
  if (!pending_) pending_ = QPlainTextEdit::font();
  pending_->setPointSizeF(points);
}

void Memo::SetFont(const QFont& font) {
  if (isVisible()) {
    setFont(font);
    return;
  }
  pending_ = font;
  faceChanged_ = false;
}

void Memo::showEvent(QShowEvent* event) {
  if (pending_) {
    const QFont shown = font();
    pending_.reset();
    setFont(shown);
  }
  QPlainTextEdit::showEvent(event);
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

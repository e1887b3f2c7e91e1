#include "platform/Memo.h"

#include "platform/FaceFont.h"
#include "platform/QtText.h"

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent) {}

std::string Memo::Text() const {
  return FromDisplayLines(toPlainText());
}

void Memo::SetText(const std::string& text) {
  setPlainText(ToDisplayLines(text));
}

std::string Memo::FontName() const {
  const QStringList families = font().families();
  return ToStdString(families.isEmpty() ? font().family() : families.front());
}

void Memo::SetFontName(const std::string& faceName) {
  QFont f = font();
  SetFaceName(f, faceName);
  setFont(f);
}

void Memo::SetFontPoints(double points) {
  QFont f = font();
  f.setPointSizeF(points);
  setFont(f);
}

void Memo::SetBold(bool bold) {
  QFont f = font();
  f.setBold(bold);
  setFont(f);
}

void Memo::SetItalic(bool italic) {
  QFont f = font();
  f.setItalic(italic);
  setFont(f);
}

void Memo::SetFontColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Text, color);
  setPalette(p);
}

QColor Memo::FontColor() const {
  return palette().color(QPalette::Text);
}

#include "platform/Label.h"

#include "platform/FaceFont.h"
#include "platform/MnemonicText.h"
#include "platform/QtText.h"

Label::Label(const std::string& caption, QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  SetCaption(caption);
}

void Label::SetCaption(const std::string& caption) {
  caption_ = caption;
  ShowCaption();
}

void Label::SetFocusControl(QWidget* control) {
  setBuddy(control);
  ShowCaption();
}

void Label::ShowCaption() {
  // QLabel reads "&" as a marker only when it has a buddy; without one the markers are taken
  // out here so that "&&" still shows one "&".
  setText(buddy() != nullptr ? ToQString(caption_) : ToQString(StripMnemonics(caption_)));
  setAccessibleName(ToQString(StripMnemonics(caption_)));
}

void Label::SetFontPoints(double points) {
  QFont f = font();
  f.setPointSizeF(points);
  setFont(f);
}

void Label::SetFaceName(const std::string& faceName) {
  QFont f = font();
  ::SetFaceName(f, faceName);
  setFont(f);
}

void Label::SetBold(bool bold) {
  QFont f = font();
  f.setBold(bold);
  setFont(f);
}

void Label::SetItalic(bool italic) {
  QFont f = font();
  f.setItalic(italic);
  setFont(f);
}

#include "widgets/Label.h"

#include <QEvent>

#include "platform/text/QtText.h"
#include "widgets/ElidedLines.h"
#include "widgets/MnemonicText.h"

Label::Label(const std::string& caption, QWidget* parent) : FaceSetters<QLabel>(parent) {
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

void Label::SetMaxLines(int lines) {
  maxLines_ = lines;
  ShowCaption();
}

void Label::ShowCaption() {
  const QString plain = ToQString(StripMnemonics(caption_));
  setAccessibleName(plain);
  const int width = contentsRect().width() - 2 * margin();
  const QString shown = ElidedLines(plain, font(), width, maxLines_, this);
  if (shown != plain) {
    // A cut caption loses its marker: there is no telling which letter it would underline.
    setText(buddy() != nullptr ? QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&"))
                               : shown);
    return;
  }
  // QLabel reads "&" as a marker only when it has a buddy; without one the markers are taken
  // out here so that "&&" still shows one "&".
  setText(buddy() != nullptr ? ToQString(caption_) : plain);
}

// How much of the caption fits depends on the width and the font.
void Label::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  if (maxLines_ > 0) ShowCaption();
}

void Label::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (maxLines_ > 0 && event->type() == QEvent::FontChange) ShowCaption();
}

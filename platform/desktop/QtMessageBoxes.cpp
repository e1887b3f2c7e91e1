#include "platform/desktop/QtMessageBoxes.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "platform/text/QtText.h"

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// The window a box belongs to and blocks: an open modal dialog, else the program's main window.
// A window of its own that is neither (a progress dialog with Cancel) stays usable.
QWidget* OwnerWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && qobject_cast<QMainWindow*>(window) != nullptr) return window;
  }
  return QApplication::activeWindow();
}

// A box that opens beside, not over, the windows it leaves usable, so that their buttons can be
// seen and clicked while it waits.
class MessageBox final : public QMessageBox {
 public:
  MessageBox(Icon icon, const std::string& title, const std::string& text, StandardButtons buttons)
      : QMessageBox(icon, ToQString(title), ToDisplayLines(text), buttons, OwnerWindow()) {
    setTextFormat(Qt::PlainText);
    setWindowModality(Qt::WindowModal);
  }

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    const QScreen* screen = this->screen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    constexpr int kGap = 8;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window == this || !window->isVisible() || window->parentWidget() != nullptr ||
          window->isAncestorOf(this) || qobject_cast<QMainWindow*>(window) != nullptr) {
        continue;
      }
      const QRect usable = window->frameGeometry();
      QRect box = geometry();
      if (!box.intersects(usable)) continue;
      if (usable.bottom() + kGap + box.height() <= available.bottom()) {
        box.moveTop(usable.bottom() + kGap);
      } else {
        box.moveBottom(usable.top() - kGap);
      }
      move(box.topLeft());
    }
  }
};

}  // namespace

void QtMessageBoxes::Show(MessageKind kind, const std::string& title, const std::string& text) {
  MessageBox box(IconOf(kind), title, text, QMessageBox::Ok);
  box.exec();
}

bool QtMessageBoxes::Confirm(const std::string& title, const std::string& text) {
  MessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton);
  QAbstractButton* yes = box.addButton(QObject::tr("&Yes"), QMessageBox::YesRole);
  box.addButton(QObject::tr("&No"), QMessageBox::NoRole);
  box.exec();
  return box.clickedButton() == yes;
}

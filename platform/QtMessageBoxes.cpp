#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/QtText.h"

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

}  // namespace

void QtMessageBoxes::Show(MessageKind kind, const std::string& title, const std::string& text) {
  QMessageBox box(IconOf(kind), ToQString(title), ToDisplayLines(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool QtMessageBoxes::Confirm(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Question, ToQString(title), ToDisplayLines(text),
                  QMessageBox::NoButton, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  QAbstractButton* yes = box.addButton(QObject::tr("&Yes"), QMessageBox::YesRole);
  box.addButton(QObject::tr("&No"), QMessageBox::NoRole);
  box.exec();
  return box.clickedButton() == yes;
}

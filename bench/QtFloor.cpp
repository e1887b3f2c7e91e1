// qt-floor: the least a Qt Widgets program pays to show text: one label in an installed family,
// shown, painted and closed. The program's start-up is read beside it, since no window of Qt's
// can appear sooner on the same fonts.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
  QLabel label(QStringLiteral("The quick brown fox jumps over the lazy dog."));
  label.show();
  QTimer::singleShot(0, &application, &QCoreApplication::quit);
  return application.exec();
}

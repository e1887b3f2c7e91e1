// qt-floor: the least a Qt Widgets program pays to show text: one label in an installed family,
// shown, painted and closed. The program's start-up is read beside it, since no window of Qt's
// can appear sooner on the same fonts. The family is the first argument (DejaVu Sans without).
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString family = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("DejaVu Sans");
  QApplication::setFont(QFont(family, 9));
  QLabel label(QStringLiteral("The quick brown fox jumps over the lazy dog."));
  label.show();
  QTimer::singleShot(0, &application, &QCoreApplication::quit);
  return application.exec();
}

#include "app/TfrmSplash.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>

#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/ScreenCentre.h"

TfrmSplash::TfrmSplash(const DesignScale& s)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setFixedSize(s(470), s(121));
  auto* Panel1 = new QFrame(this);
  Panel1->setGeometry(0, 0, width(), height());
  SetBackground(Panel1, DesignColors::Blue);
  Image1 = new QLabel(Panel1);
  Image1->setGeometry(s.Rect(9, 9, 452, 104));
  Image1->setScaledContents(true);
  // A picture, not letters drawn now: drawing eight faces would make Qt match each of them
  // against every installed font before the main window exists.
  Image1->setPixmap(QPixmap(QStringLiteral(":/glyphera/splash.png")));
  CentreOnScreen(*this);
}

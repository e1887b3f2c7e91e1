#include "app/TfrmAbout.h"

#include <QPushButton>

#include "widgets/ControlFactory.h"
#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/Label.h"
#include "widgets/ScreenCentre.h"

namespace {

constexpr int kWidth = 326;
constexpr int kHeight = 204;

}  // namespace

TfrmAbout::TfrmAbout(const DesignScale& s, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About Glyphera"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(s(kWidth), s(kHeight));
  CentreOnScreen(*this);
  setFont(DesignFont(s, 13, false));
  SetBackground(this, DesignColors::Aqua);

  Label* Label1 = MakeLabel("Glyphera", this, s.Rect(0, 24, kWidth, 26));
  Label1->setFont(DesignFont(s, 20, true));
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  SetTextColor(Label1, DesignColors::Navy);
  Label* Label4 = MakeLabel("Version 3.5", this, s.Rect(0, 56, kWidth, 18));
  Label4->setFont(DesignFont(s, 13, true));
  Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  cmdOK = MakeButton("OK", this, s.Rect(119, 144, 81, 41));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOKClick(); });
}

void TfrmAbout::cmdOKClick() {
  accept();
}

#include "install/TfrmInstalling.h"

#include <QPushButton>
#include <QScreen>

#include "widgets/ControlFactory.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/Label.h"

TfrmInstalling::TfrmInstalling(const DesignScale& s)
    : QDialog(nullptr), outerSize_(s(292), s(167)) {
  setWindowTitle(tr("Installing Fonts"));
  setModal(false);
  setFont(DesignFont(s, 13, false));
  // The frame is not known before the window is shown; until then the whole size is the inside.
  resize(outerSize_);
  lblSelected = MakeLabel("Fonts Selected:", this, s.Rect(8, 16, 261, 20));
  lblInstalled = MakeLabel("Installed:", this, s.Rect(8, 44, 261, 20));
  for (Label* label : {lblSelected, lblInstalled}) {
    label->setAlignment(Qt::AlignCenter);
    label->setFont(DesignFont(s, 17, false));
  }
  cmdCancel = MakeButton("&Cancel", this, s.Rect(100, 88, 89, 33));
  cmdCancel->setFont(DesignFont(s, 13, true));
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancelClick(); });
}

void TfrmInstalling::cmdCancelClick() {
  if (OnCancel) OnCancel();
}

void TfrmInstalling::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (placed_) return;
  placed_ = true;
  // The designed size includes the frame; the dialog opens in the middle of its screen and
  // stays where the user moves it afterwards.
  const QSize frame = frameGeometry().size() - geometry().size();
  if (frame.isValid()) resize(outerSize_ - frame);
  if (const QScreen* screen = this->screen()) {
    QRect outer = frameGeometry();
    outer.moveCenter(screen->availableGeometry().center());
    move(outer.topLeft());
  }
}

#include "printing/TfrmPrinting.h"

#include <QPushButton>

#include "widgets/ControlFactory.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/Label.h"
#include "widgets/ScreenCentre.h"

TfrmPrinting::TfrmPrinting(const DesignScale& s, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Printing"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(false);
  setFixedSize(s(284), s(136));
  CentreOnScreen(*this);
  setFont(DesignFont(s, 13, true));
  lblSelected = MakeLabel("Fonts Selected:", this, s.Rect(8, 16, 261, 20));
  lblSelected->setAlignment(Qt::AlignCenter);
  lblPrinted = MakeLabel("Printed:", this, s.Rect(8, 44, 261, 20));
  lblPrinted->setAlignment(Qt::AlignCenter);
  cmdCancel = MakeButton("&Cancel", this, s.Rect(100, 88, 89, 33));
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancelClick(); });
}

void TfrmPrinting::cmdCancelClick() {
  if (OnCancel) OnCancel();
}

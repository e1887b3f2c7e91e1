#pragma once

#include <QDialog>

class DesignScale;
class QPushButton;

// The About box.
class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  TfrmAbout(const DesignScale& scale, QWidget* parent = nullptr);

  void cmdOKClick();

  QPushButton* cmdOK;
};

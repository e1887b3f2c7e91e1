#pragma once

#include <QDialog>
#include <QSize>
#include <functional>

class DesignScale;
class Label;
class QPushButton;

// The progress dialog of installing fonts: how many faces, how many installed, and Cancel. It
// can be resized; closing it by its title bar only hides it. It is a window of its own rather
// than a child of the main window: a message box shown during the installation blocks the main
// window and its children, and Cancel must stay clickable while one is open.
class TfrmInstalling : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmInstalling(const DesignScale& scale);

  void cmdCancelClick();

  Label* lblSelected;
  Label* lblInstalled;
  QPushButton* cmdCancel;
  std::function<void()> OnCancel;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QSize outerSize_;
  bool placed_ = false;
};

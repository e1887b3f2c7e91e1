#pragma once

#include <QDialog>
#include <functional>

class DesignScale;
class Label;
class QPushButton;

// The progress dialog of printing: how many fonts, how many printed, and Cancel. Closing it by
// its title bar only hides it.
class TfrmPrinting : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmPrinting(const DesignScale& scale, QWidget* parent = nullptr);

  void cmdCancelClick();

  Label* lblSelected;
  Label* lblPrinted;
  QPushButton* cmdCancel;
  std::function<void()> OnCancel;
};

#pragma once

#include <QCheckBox>
#include <functional>
#include <string>

// A check box whose click handling runs whenever its state changes, from the user or from the
// program.
class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  explicit CheckBox(const std::string& caption, QWidget* parent = nullptr);

  bool Checked() const { return isChecked(); }
  void SetChecked(bool checked) { setChecked(checked); }

  std::function<void()> OnClick;
};

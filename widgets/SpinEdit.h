#pragma once

#include <QAbstractSpinBox>
#include <functional>

// A spin edit as the program's handlers expect it: the value is the whole number its text holds,
// or the minimum when the text is not a whole number; typing may leave the value out of range
// for a while, and the control brings it into range when it loses the focus, which runs the
// change handling again.
class SpinEdit : public QAbstractSpinBox {
  Q_OBJECT
  Q_PROPERTY(int value READ Value WRITE SetValue)
  Q_PROPERTY(int minimum READ MinValue)
  Q_PROPERTY(int maximum READ MaxValue)
 public:
  SpinEdit(int minValue, int maxValue, int value, QWidget* parent = nullptr);

  int Value() const;
  void SetValue(int value);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  // Whether the value is within the box's limits: one typed out of range is not applied until
  // it is brought into range.
  bool InRange() const {
    const int value = Value();
    return value >= min_ && value <= max_;
  }
  // Corrects a value typed out of range (or no number) as leaving the box does. A command
  // reached by its Alt letter leaves the focus where it is, so it corrects first itself.
  void BringIntoRange();

  // Runs at every change of the text.
  std::function<void()> OnChange;

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 protected:
  StepEnabled stepEnabled() const override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int min_;
  int max_;
};

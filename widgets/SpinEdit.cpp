#include "widgets/SpinEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

std::optional<int> WholeNumber(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

}  // namespace

SpinEdit::SpinEdit(int minValue, int maxValue, int value, QWidget* parent)
    : QAbstractSpinBox(parent), min_(minValue), max_(maxValue) {
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  lineEdit()->setText(QString::number(value));
  connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
    if (OnChange) OnChange();
  });
}

int SpinEdit::Value() const {
  return WholeNumber(lineEdit()->text()).value_or(min_);
}

void SpinEdit::SetValue(int value) {
  const QString text = QString::number(value);
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void SpinEdit::stepBy(int steps) {
  SetValue(std::clamp(Value() + steps, min_, max_));
}

QValidator::State SpinEdit::validate(QString& input, int& /*pos*/) const {
  // Digits and a sign only, as a spin edit takes them; any length, so that a value can be
  // typed past the range and corrected when the focus leaves.
  static const QRegularExpression kNumberSoFar(QStringLiteral("^[+-]?[0-9]*$"));
  return kNumberSoFar.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (Value() < max_) enabled |= StepUpEnabled;
  if (Value() > min_) enabled |= StepDownEnabled;
  return enabled;
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractSpinBox::focusOutEvent(event);
  BringIntoRange();
}

void SpinEdit::BringIntoRange() {
  const std::optional<int> typed = WholeNumber(lineEdit()->text());
  const int corrected = std::clamp(typed.value_or(min_), min_, max_);
  if (!typed || *typed != corrected) SetValue(corrected);
}

void SpinEdit::keyPressEvent(QKeyEvent* event) {
  // Only the arrow keys step a spin edit; the page keys belong to the window.
  if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
    event->ignore();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

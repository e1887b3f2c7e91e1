#include "widgets/ControlFactory.h"

#include <QFrame>
#include <QPushButton>

#include "widgets/CheckBox.h"
#include "widgets/ControlStyle.h"
#include "widgets/Label.h"
#include "widgets/Memo.h"
#include "widgets/SpinEdit.h"

Label* MakeLabel(const char* caption, QWidget* parent, const QRect& place) {
  auto* label = new Label(caption, parent);
  label->setGeometry(place);
  return label;
}

CheckBox* MakeCheck(const char* caption, QWidget* parent, const QRect& place, const QColor& color) {
  auto* box = new CheckBox(caption, parent);
  box->setGeometry(place);
  if (color.isValid()) SetTextColor(box, color);
  return box;
}

QPushButton* MakeButton(const char* caption, QWidget* parent, const QRect& place) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setGeometry(place);
  return button;
}

Memo* MakePanelMemo(QFrame* panel, int bevel, const char* accessibleName) {
  auto* memo = new Memo(panel);
  memo->setGeometry(panel->rect().adjusted(bevel, bevel, -bevel, -bevel));
  memo->setAccessibleName(QString::fromUtf8(accessibleName));
  return memo;
}

SpinEdit* MakeSpin(int minValue, int maxValue, int value, QWidget* parent, const QRect& place,
                   Label* label) {
  auto* spin = new SpinEdit(minValue, maxValue, value, parent);
  spin->setGeometry(place);
  label->SetFocusControl(spin);
  spin->setAccessibleName(label->accessibleName());
  return spin;
}

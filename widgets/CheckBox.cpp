#include "widgets/CheckBox.h"

#include "platform/text/QtText.h"

CheckBox::CheckBox(const std::string& caption, QWidget* parent)
    : QCheckBox(ToQString(caption), parent) {
  connect(this, &QCheckBox::toggled, this, [this] {
    if (OnClick) OnClick();
  });
}

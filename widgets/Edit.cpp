#include "widgets/Edit.h"

#include "platform/text/QtText.h"

Edit::Edit(QWidget* parent) : QLineEdit(parent) {}

std::string Edit::Text() const {
  return ToStdString(text());
}

void Edit::SetText(const std::string& text) {
  setText(ToQString(text));
}

#pragma once

#include <QLineEdit>
#include <string>

// A one-line edit box whose text is the program's UTF-8 text.
class Edit : public QLineEdit {
  Q_OBJECT
 public:
  explicit Edit(QWidget* parent = nullptr);

  std::string Text() const;
  void SetText(const std::string& text);
};

#pragma once

#include <QLabel>
#include <string>

// A label whose caption marks the underlined letter with "&" and shows "&&" as one "&". With a
// focus control, Alt and the underlined letter move the focus there.
class Label : public QLabel {
  Q_OBJECT
 public:
  explicit Label(const std::string& caption, QWidget* parent = nullptr);

  void SetCaption(const std::string& caption);
  const std::string& Caption() const { return caption_; }

  void SetFocusControl(QWidget* control);

  void SetFontPoints(double points);
  void SetFaceName(const std::string& faceName);
  void SetBold(bool bold);
  void SetItalic(bool italic);

 private:
  void ShowCaption();

  std::string caption_;
};

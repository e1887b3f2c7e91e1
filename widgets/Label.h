#pragma once

#include <QLabel>
#include <string>

#include "widgets/FaceSetters.h"

// A label whose caption marks the underlined letter with "&" and shows "&&" as one "&". With a
// focus control, Alt and the underlined letter move the focus there.
class Label : public FaceSetters<QLabel> {
  Q_OBJECT
 public:
  explicit Label(const std::string& caption, QWidget* parent = nullptr);

  void SetCaption(const std::string& caption);
  const std::string& Caption() const { return caption_; }

  void SetFocusControl(QWidget* control);

  // Shows at most this many word-wrapped lines, the last one ending in "…" when the caption is
  // longer; Caption() stays whole. 0 shows the caption whole.
  void SetMaxLines(int lines);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ShowCaption();

  std::string caption_;
  int maxLines_ = 0;
};

#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <string>

#include "platform/ControlFace.h"

// A multi-line text box. Its text uses "\r\n" line breaks, as the program's texts do.
class Memo : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit Memo(QWidget* parent = nullptr);

  std::string Text() const;
  void SetText(const std::string& text);

  std::string FontName() const;
  void SetFontName(const std::string& faceName);
  void SetFontPoints(double points);
  bool Bold() const { return face_.Bold(); }
  void SetBold(bool bold);
  bool Italic() const { return face_.Italic(); }
  void SetItalic(bool italic);
  void SetFontColor(const QColor& color);
  QColor FontColor() const;

  // The most characters the user can type or paste; text set by the program may be longer.
  void SetMaxLength(int maxLength) { maxLength_ = maxLength; }
  int MaxLength() const { return maxLength_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // How many characters may still be typed in place of the selection.
  int Room() const;

  int maxLength_ = 0;
  // The face name as it was given (a family or a face's full name) and the styles asked.
  ControlFace face_;
};

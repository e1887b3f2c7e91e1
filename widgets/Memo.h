#pragma once

#include <QColor>
#include <QFont>
#include <QPlainTextEdit>
#include <optional>
#include <string>

#include "widgets/ControlFace.h"

// A multi-line text box. Its text uses "\r\n" line breaks, as the program's texts do; Tab moves
// the focus rather than typing a tab.
class Memo : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit Memo(QWidget* parent = nullptr);

  std::string Text() const;
  void SetText(const std::string& text);

  // The font the memo shows, or will show once visible. It hides QWidget::font on purpose: a
  // hidden memo keeps its font changes, and chooses its face, only when it is shown or asked.
  // Qt matches every font it lays out against every installed font, and with thousands
  // installed the fonts a hidden memo passes through on the way to the one it shows would cost
  // a large part of the start-up.
  QFont font() const;

  std::string FontName() const;
  void SetFontName(const std::string& faceName);
  void SetFontPoints(double points);
  bool Bold() const { return face_.Bold(); }
  void SetBold(bool bold);
  bool Italic() const { return face_.Italic(); }
  void SetItalic(bool italic);
  void SetFont(const QFont& font);
  void SetFontColor(const QColor& color);
  QColor FontColor() const;

  // The most characters the user can type, paste or compose, a line break counting two as in the
  // text's "\r\n"; text set by the program may be longer.
  void SetMaxLength(int maxLength) { maxLength_ = maxLength; }
  // Shows only whole lines: the part of a line that the memo's height would cut is left blank,
  // for a memo of fixed height whose font may be tall; its text still scrolls.
  void SetWholeLines(bool wholeLines);
  int MaxLength() const { return maxLength_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // How many characters may still be typed in place of the selection.
  int Room() const;
  // The longest start of the text that fits the room, as characters of the memo's text.
  QString Fitting(QString text) const;
  void FaceChanged();
  // Whether font changes are laid out at once: visible, and not waiting for its window to show.
  bool Shown() const;
  void ApplyPending();
  void FitWholeLines();

  int maxLength_ = 0;
  bool wholeLines_ = false;
  bool wholeLinesWatched_ = false;
  // The face name as it was given (a family or a face's full name) and the styles asked.
  ControlFace face_;
  // The font to show once visible, and whether its face is still to be chosen for face_.
  mutable std::optional<QFont> pending_;
  mutable bool faceChanged_ = false;
  // Shown while its window is being shown: the pending font waits for the window.
  bool awaitingWindow_ = false;
};

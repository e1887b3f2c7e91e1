#pragma once

#include <QFont>
#include <string>

#include "platform/fonts/FaceFont.h"

// The face a control shows: its name and the styles asked of it. The face itself is chosen
// again from all three whenever one changes, because bold or italic may be another face of the
// family (or the same face with the style added).
class ControlFace {
 public:
  const std::string& Name() const { return name_; }
  bool Bold() const { return bold_; }
  bool Italic() const { return italic_; }

  // Each setter gives the control's font with the face for the new state, keeping its size.
  QFont WithName(QFont font, const std::string& name) {
    name_ = name;
    return Applied(std::move(font));
  }
  QFont WithBold(QFont font, bool bold) {
    bold_ = bold;
    return Applied(std::move(font));
  }
  QFont WithItalic(QFont font, bool italic) {
    italic_ = italic;
    return Applied(std::move(font));
  }

  // The state alone, for a control that chooses the face later.
  void SetName(const std::string& name) { name_ = name; }
  void SetBold(bool bold) { bold_ = bold; }
  void SetItalic(bool italic) { italic_ = italic; }

  QFont Applied(QFont font) const {
    SetFace(font, name_, bold_, italic_);
    return font;
  }

 private:
  std::string name_;
  bool bold_ = false;
  bool italic_ = false;
};

#pragma once

#include <QFont>
#include <string>

#include "widgets/ControlFace.h"

// The font setters of a control that shows a chosen face (a label, the character grid): each
// applies at once to the control's font, keeping what the others set.
template <typename Widget>
class FaceSetters : public Widget {
 public:
  using Widget::Widget;

  void SetFaceName(const std::string& faceName) {
    this->setFont(face_.WithName(this->font(), faceName));
  }
  // The face asked for; the font may name the family drawn in its place.
  const std::string& FaceName() const { return face_.Name(); }
  void SetFontPoints(double points) {
    QFont font = this->font();
    font.setPointSizeF(points);
    this->setFont(font);
  }
  void SetBold(bool bold) { this->setFont(face_.WithBold(this->font(), bold)); }
  void SetItalic(bool italic) { this->setFont(face_.WithItalic(this->font(), italic)); }

 private:
  ControlFace face_;
};

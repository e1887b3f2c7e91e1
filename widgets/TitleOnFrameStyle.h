#pragma once

#include <QPixmap>
#include <QProxyStyle>

// Draws a titled group box as the design does: the frame's top line runs through the middle of
// the title, which is written on a cleared stretch of it, so the box's own controls sit below the
// line rather than across it.
class TitleOnFrameStyle : public QProxyStyle {
 public:
  TitleOnFrameStyle();

  // The one instance, kept for as long as the application.
  static TitleOnFrameStyle* Instance();

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;

 private:
  // Fusion's group frame picture; null when Qt has none.
  QPixmap fusionFrame_;
};

#include "widgets/TitleOnFrameStyle.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionGroupBox>

namespace {

const QStyleOptionGroupBox* TitledBox(QStyle::ComplexControl control,
                                      const QStyleOptionComplex* option) {
  if (control != QStyle::CC_GroupBox) return nullptr;
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  return box != nullptr && !box->text.isEmpty() ? box : nullptr;
}

}  // namespace

TitleOnFrameStyle::TitleOnFrameStyle()
    : fusionFrame_(
          QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png")) {}

TitleOnFrameStyle* TitleOnFrameStyle::Instance() {
  static TitleOnFrameStyle* style = [] {
    auto* made = new TitleOnFrameStyle;
    made->setParent(QCoreApplication::instance());
    return made;
  }();
  return style;
}

QRect TitleOnFrameStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl part, const QWidget* widget) const {
  QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
  if (part == SC_GroupBoxFrame && TitledBox(control, option) != nullptr) {
    rect.setTop(
        QProxyStyle::subControlRect(control, option, SC_GroupBoxLabel, widget).center().y());
  }
  return rect;
}

void TitleOnFrameStyle::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex* option, QPainter* painter,
                                           const QWidget* widget) const {
  const QStyleOptionGroupBox* box = TitledBox(control, option);
  if (box == nullptr) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  QStyleOptionFrame frame;
  frame.QStyleOption::operator=(*box);
  frame.features = box->features;
  frame.lineWidth = box->lineWidth;
  frame.midLineWidth = box->midLineWidth;
  frame.rect = subControlRect(control, option, SC_GroupBoxFrame, widget);
  // Fusion's group frame keeps the title's height clear above itself whatever rectangle it is
  // given, so its picture is drawn here at the place asked for; another style draws its own.
  if (baseStyle()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) == 0 &&
      !fusionFrame_.isNull()) {
    qDrawBorderPixmap(painter, frame.rect, QMargins(6, 6, 6, 6), fusionFrame_);
  } else {
    QProxyStyle::drawPrimitive(PE_FrameGroupBox, &frame, painter, widget);
  }
  const QRect label = subControlRect(control, option, SC_GroupBoxLabel, widget);
  painter->fillRect(label, box->palette.window());
  drawItemText(painter, label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
               box->palette, (box->state & State_Enabled) != 0, box->text, QPalette::WindowText);
}

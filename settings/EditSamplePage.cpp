#include "settings/EditSamplePage.h"

#include <QPushButton>
#include <string>
#include <vector>

#include "widgets/ControlFactory.h"
#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/Edit.h"
#include "widgets/Label.h"
#include "widgets/Memo.h"

namespace {

constexpr const char* kExplanation =
    "The lines specified for the different point sizes are used on the Full Page Sample "
    "printout.  \r\n"
    "The line labeled 'Sample Text' is used in the screen display and on the Sample Text "
    "printout.  \r\n"
    "The line labeled 'Sample Title' is used as the page heading on the Sample Text printout.\r\n"
    "The text in the 'Paragraph Text' box is used on the Text Paragraphs printout.\r\n"
    "Changes will take effect when the Save button is clicked.";

Label* BoldLabel(const char* caption, QWidget* parent, const QRect& place, const DesignScale& s) {
  Label* label = MakeLabel(caption, parent, place);
  label->setFont(DesignFont(s, 13, true));
  return label;
}

Edit* MakeEdit(QWidget* parent, const QRect& place, Label* label) {
  auto* edit = new Edit(parent);
  edit->setGeometry(place);
  edit->setFont(parent->font());
  label->setBuddy(edit);
  edit->setAccessibleName(label->accessibleName());
  return edit;
}

}  // namespace

EditSamplePage::EditSamplePage(QWidget* tab, const DesignScale& s) {
  tab->setFont(DesignFont(s, 13, false));
  constexpr int kFirstTop = 16;
  constexpr int kRowStep = 26;
  for (int i = 0; i < kSizeLineCount; ++i) {
    const std::string caption = std::to_string(kSizes[static_cast<std::size_t>(i)]) + " point";
    const int top = kFirstTop + kRowStep * i;
    Label* label = BoldLabel(caption.c_str(), tab, s.Rect(0, top + 4, 107, 16), s);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SizeBoxes[static_cast<std::size_t>(i)] = MakeEdit(tab, s.Rect(116, top, 390, 24), label);
  }
  Label* Label17 = BoldLabel("Sample Text", tab, s.Rect(0, 332, 107, 16), s);
  Label17->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  txtSample = MakeEdit(tab, s.Rect(116, 328, 390, 24), Label17);
  Label* Label18 = BoldLabel("Sample Title", tab, s.Rect(4, 358, 103, 16), s);
  Label18->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  txtTitle = MakeEdit(tab, s.Rect(116, 354, 390, 24), Label18);

  Label* Label23 = BoldLabel("Paragraph Text", tab, s.Rect(524, 16, 230, 16), s);
  BoldLabel("(Maximum of 600 characters)", tab, s.Rect(524, 35, 237, 16), s);  // Label25
  txtPara = new Memo(tab);
  txtPara->setGeometry(s.Rect(520, 64, 241, 313));
  txtPara->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Label23->setBuddy(txtPara);
  txtPara->setAccessibleName(QStringLiteral("Paragraph Text"));

  auto* Memo1 = new Memo(tab);
  Memo1->setGeometry(s.Rect(20, 388, 553, 85));
  Memo1->setFrameStyle(QFrame::NoFrame);
  Memo1->SetText(kExplanation);
  // Read-only rather than disabled, so that the Memo1 stays readable.
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->SetFont(DesignFont(s, 12, false));
  SetFieldColor(Memo1, DesignColors::Silver);

  cmdSaveText = MakeButton("&Save", tab, s.Rect(673, 449, 89, 33));
  cmdSaveText->setFont(DesignFont(s, 13, true));

  // Tab order: the size lines, then Sample Text, Sample Title, Paragraph Text and Save.
  std::vector<QWidget*> order(SizeBoxes.begin(), SizeBoxes.end());
  order.insert(order.end(), {txtSample, txtTitle, txtPara, cmdSaveText});
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

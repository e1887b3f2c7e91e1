#include "printing/PrintJob.h"

#include <QPushButton>

#include "platform/desktop/IMessageBoxes.h"
#include "platform/drawing/IDrawingSurface.h"
#include "platform/printers/IPrintDocument.h"
#include "printing/FontSheets.h"
#include "printing/SheetLayouts.h"
#include "printing/StyleSuffix.h"
#include "printing/TfrmPrinting.h"
#include "viewing/FontList.h"
#include "widgets/CheckBox.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"

namespace {

constexpr const char* kNoOptions = "You have not selected any print options.";
constexpr const char* kNoSizes = "You have not selected any point\rsizes for the text paragraphs.";

}  // namespace

PrintJob::PrintJob(const PrintControls& controls, PrintJobState& state, FontList& fonts,
                   IPrintDocument& printer, IMessageBoxes& messages, IMessageDispatch& dispatch,
                   ISheetTexts& texts, const SheetLines& sampleSheetLines,
                   ParagraphSizeTable& paragraphSizes)
    : c_(controls),
      fonts_(fonts),
      printer_(printer),
      messages_(messages),
      texts_(texts),
      sampleSheetLines_(sampleSheetLines),
      paragraphSizes_(paragraphSizes),
      state_(state),
      run_(printer, dispatch, controls.frmPrinting, state) {}

SheetContext PrintJob::Context() {
  return {texts_, state_.Metrics, state_.StyleSuffix, sampleSheetLines_, paragraphSizes_};
}

void PrintJob::cmdPrintClick() {
  if (!c_.chkSample.Checked() && !c_.chkCharChart.Checked() && !c_.chkFullPage.Checked() &&
      !c_.chkPara.Checked()) {
    messages_.Show(MessageKind::Error, "Error", kNoOptions);
    return;
  }
  run_.Run({&c_.cmdPrint, &c_.cmdPrintSetup, &c_.cmdHeadingFont}, fonts_.SelectedCount(),
           [this] { Run(); });
}

void PrintJob::Run() {
  state_.StyleSuffix = StyleSuffixFor(c_.chkBold.Checked(), c_.chkItalic.Checked());
  run_.BeginFirstDocument();
  if (c_.chkSample.Checked() && !state_.CancelPrinting) RunPrintout(SheetKind::SampleText);
  if (c_.chkCharChart.Checked() && !state_.CancelPrinting) RunPrintout(SheetKind::CharacterChart);
  if (c_.chkFullPage.Checked() && !state_.CancelPrinting) RunPrintout(SheetKind::FullPage);
  if (c_.chkPara.Checked() && !state_.CancelPrinting) {
    if (CopyParagraphSizes()) {
      RunPrintout(SheetKind::TextParagraphs);
    } else {
      c_.frmPrinting.hide();
      messages_.Show(MessageKind::Error, "Error", kNoSizes);
      if (printer_.Printing()) printer_.Abort();
    }
  }
}

bool PrintJob::CopyParagraphSizes() {
  bool any = false;
  for (std::size_t i = 0; i < paragraphSizes_.size(); ++i) {
    paragraphSizes_[i].Checked = c_.chkParaSizes[i]->Checked();
    any = any || paragraphSizes_[i].Checked;
  }
  return any;
}

void PrintJob::RunPrintout(SheetKind kind) {
  const Sheet& sheet = SheetFor(kind);
  const bool manyToAPage = sheet.Paging() == SheetPaging::FacesPerPage;
  run_.ShowPrinted(sheet.CounterText(), 0);
  printer_.SetTitle(SheetTitle(kind, ""));
  const SheetContext context = Context();
  SampleTextPrintout samples(context);
  if (manyToAPage) samples.Prepare(printer_.Canvas());
  const SheetLines prepared = manyToAPage ? SheetLines{} : sheet.Prepare(context);
  const auto newPage = [this]() -> IDrawingSurface& { return run_.NewPage(); };
  int printed = 0;
  for (int i = 0; i < fonts_.FontCount(); ++i) {
    run_.LetCancelIn();
    if (c_.lstFonts.Selected(i)) {
      const std::string face = c_.lstFonts.Text(i);
      if (!manyToAPage) {
        if (!printer_.Printing()) printer_.BeginDoc();
        printer_.SetTitle(SheetTitle(kind, face));
      }
      ++printed;
      run_.ShowPrinted(sheet.CounterText(), printed);
      if (manyToAPage) {
        samples.Block(printer_.Canvas(), face, printed, fonts_.SelectedCount(), newPage);
      } else {
        sheet.Draw(printer_.Canvas(), context, prepared, face);
        printer_.EndDoc();
      }
    }
    if (run_.StopsAfter(printed, fonts_.SelectedCount())) break;
  }
  if (manyToAPage && printer_.Printing()) printer_.EndDoc();
}

#include "printing/PrintJob.h"

#include <QPushButton>

#include "platform/desktop/IMessageBoxes.h"
#include "platform/drawing/IDrawingSurface.h"
#include "platform/printers/IPrinter.h"
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

const char* CounterText(int printout) {
  static constexpr const char* kTexts[] = {"Samples Printed: ", "Character Charts Printed: ",
                                           "Full Pages Printed: ", "Text Paragraphs Printed: "};
  return kTexts[printout];
}

// The job's name in a print queue: the program, the sheet and, for a sheet of one font, the font.
std::string SheetTitle(int printout, const std::string& face) {
  static constexpr const char* kSheets[] = {"Sample Text", "Character Chart", "Full Page Sample",
                                            "Text Paragraphs"};
  std::string title = std::string("Glyphera - ") + kSheets[printout];
  if (!face.empty()) title += " - " + face;
  return title;
}

}  // namespace

PrintJob::PrintJob(const PrintControls& controls, PrintJobState& state, FontList& fonts,
                   IPrinter& printer, IMessageBoxes& messages, IMessageDispatch& dispatch,
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
  if (c_.chkSample.Checked() && !state_.CancelPrinting) RunPrintout(Printout::SampleText);
  if (c_.chkCharChart.Checked() && !state_.CancelPrinting) RunPrintout(Printout::CharacterChart);
  if (c_.chkFullPage.Checked() && !state_.CancelPrinting) RunPrintout(Printout::FullPage);
  if (c_.chkPara.Checked() && !state_.CancelPrinting) {
    if (CopyParagraphSizes()) {
      RunPrintout(Printout::TextParagraphs);
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

void PrintJob::RunPrintout(Printout printout) {
  const int kind = static_cast<int>(printout);
  run_.ShowPrinted(CounterText(kind), 0);
  printer_.SetTitle(SheetTitle(kind, ""));
  const SheetContext context = Context();
  SampleTextPrintout samples(context);
  if (printout == Printout::SampleText) samples.Prepare(printer_.Canvas());
  const SheetLines fullPageLines =
      printout == Printout::FullPage ? PrepareFullPage(context) : SheetLines{};
  const auto newPage = [this]() -> IDrawingSurface& { return run_.NewPage(); };
  int printed = 0;
  for (int i = 0; i < fonts_.FontCount(); ++i) {
    run_.LetCancelIn();
    if (c_.lstFonts.Selected(i)) {
      const std::string face = c_.lstFonts.Text(i);
      if (printout != Printout::SampleText) {
        if (!printer_.Printing()) printer_.BeginDoc();
        printer_.SetTitle(SheetTitle(kind, face));
      }
      ++printed;
      run_.ShowPrinted(CounterText(kind), printed);
      switch (printout) {
        case Printout::SampleText:
          samples.Block(printer_.Canvas(), face, printed, fonts_.SelectedCount(), newPage);
          break;
        case Printout::CharacterChart:
          PrintCharacterChart(printer_.Canvas(), context, face);
          break;
        case Printout::FullPage:
          PrintFullPage(printer_.Canvas(), context, fullPageLines, face);
          break;
        case Printout::TextParagraphs:
          PrintTextParagraphs(printer_.Canvas(), context, face);
          break;
      }
      if (printout != Printout::SampleText) printer_.EndDoc();
    }
    if (run_.StopsAfter(printed, fonts_.SelectedCount())) break;
  }
  if (printout == Printout::SampleText && printer_.Printing()) printer_.EndDoc();
}

#include "install/PreviewPrint.h"

#include <QPushButton>
#include <algorithm>
#include <cctype>

#include "install/FaceStyle.h"
#include "install/FontFileEntry.h"
#include "install/FontFileLeases.h"
#include "install/PreviewReading.h"
#include "platform/IDrawingSurface.h"
#include "platform/IFontServices.h"
#include "platform/IMessageDispatch.h"
#include "platform/IPrinter.h"
#include "platform/Trimmed.h"
#include "printing/SheetLayouts.h"
#include "printing/TfrmPrinting.h"
#include "widgets/ButtonsDisabled.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/SpinEdit.h"

namespace {

constexpr const char* kCounter = "Samples Printed: ";

}  // namespace

PreviewPrint::PreviewPrint(const PreviewPrintControls& controls,
                           const PreviewPrintServices& services, PrintJobState& state,
                           const PreviewReading& reading, FontFileLeases& leases,
                           ISheetTexts& texts, std::array<std::string, 3>& sampleSheetLines,
                           const ParagraphSizeTable& paragraphSizes)
    : c_(controls),
      s_(services),
      state_(state),
      reading_(reading),
      leases_(leases),
      texts_(texts),
      sampleSheetLines_(sampleSheetLines),
      paragraphSizes_(paragraphSizes) {}

void PreviewPrint::cmdPreviewPrintClick() {
  const ButtonsDisabled busy(c_.Buttons);
  try {
    Run();
  } catch (...) {
    // A printer error ends the run: nothing is left open or on the screen, then it is reported.
    if (s_.Printer.Printing()) s_.Printer.Abort();
    c_.frmPrinting.hide();
    throw;
  }
}

void PreviewPrint::Run() {
  const int n = c_.lstSelected.Count();
  int printed = 0;
  c_.frmPrinting.lblSelected->SetCaption("Fonts Selected: " + std::to_string(n));
  c_.frmPrinting.lblPrinted->SetCaption(std::string(kCounter) + "0");
  if (!c_.frmPrinting.isVisible()) c_.frmPrinting.show();
  state_.CancelPrinting = false;
  s_.Printer.SetTitle("Glyphera - Font File Samples");
  s_.Printer.BeginDoc();
  state_.Metrics.DpiX = s_.Printer.Canvas().DpiX();
  state_.Metrics.DpiY = s_.Printer.Canvas().DpiY();

  // The preview sets no Bold or Italic option, so its headings name no style.
  static const std::string kNoStyleWords;
  const SheetContext context{texts_, state_.Metrics, kNoStyleWords, sampleSheetLines_,
                             paragraphSizes_};
  SampleTextPrintout sheets(context);
  sheets.Prepare(s_.Printer.Canvas(), c_.spnPreviewPrintSize.Value());
  leases_.StartPrinting(reading_.Dir());
  const auto newPage = [this]() -> IDrawingSurface& {
    s_.Printer.EndDoc();
    s_.Printer.BeginDoc();
    return s_.Printer.Canvas();
  };

  for (int i = 0; i < n && i < c_.lstSelected.Count(); ++i) {
    s_.Dispatch.ProcessMessages();
    if (i >= c_.lstSelected.Count()) break;
    const FontFace face{c_.lstSelected.Text(i), c_.lstSelected.ObjectAs<FontFileEntry>(i)};
    leases_.LendForPrinting(face);
    ++printed;
    c_.frmPrinting.lblPrinted->SetCaption(kCounter + std::to_string(printed));
    const FaceStyle style = FindFaceStyle(s_.Fonts, Trimmed(face.FullName), Trimmed(face.FullName));
    sheets.Block(s_.Printer.Canvas(), face.FullName,
                 {face.Entry->FamilyName, 0, style.Bold, style.Italic}, printed, n, newPage);
    if (printed == n) break;
    if (state_.CancelPrinting) {
      if (s_.Printer.Printing()) s_.Printer.Abort();
      break;
    }
  }
  if (s_.Printer.Printing()) s_.Printer.EndDoc();
  c_.frmPrinting.hide();
}

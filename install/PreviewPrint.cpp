#include "install/PreviewPrint.h"

#include <QPushButton>
#include <algorithm>
#include <cctype>

#include "install/FaceStyle.h"
#include "install/FontFileEntry.h"
#include "install/FontFileLeases.h"
#include "install/PreviewReading.h"
#include "platform/drawing/IDrawingSurface.h"
#include "platform/fonts/IFontServices.h"
#include "platform/printers/IPrintDocument.h"
#include "printing/SheetLayouts.h"
#include "printing/TfrmPrinting.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/SpinEdit.h"

namespace {

constexpr const char* kCounter = "Samples Printed: ";

}  // namespace

PreviewPrint::PreviewPrint(const PreviewPrintControls& controls,
                           const PreviewPrintServices& services, PrintJobState& state,
                           const PreviewReading& reading, FontFileLeases& leases,
                           ISheetTexts& texts, const SheetLines& sampleSheetLines,
                           const ParagraphSizeTable& paragraphSizes)
    : c_(controls),
      s_(services),
      state_(state),
      reading_(reading),
      leases_(leases),
      texts_(texts),
      sampleSheetLines_(sampleSheetLines),
      paragraphSizes_(paragraphSizes),
      run_(services.Printer, services.Dispatch, controls.frmPrinting, state) {}

void PreviewPrint::cmdPreviewPrintClick() {
  run_.Run(c_.Buttons, c_.lstSelected.Count(), [this] { Run(); });
}

void PreviewPrint::Run() {
  const int n = c_.lstSelected.Count();
  int printed = 0;
  run_.ShowPrinted(kCounter, 0);
  s_.Printer.SetTitle("Glyphera - Font File Samples");
  run_.BeginFirstDocument();

  // The preview sets no Bold or Italic option, so its headings name no style.
  static const std::string kNoStyleWords;
  const SheetContext context{texts_, state_.Metrics, kNoStyleWords, sampleSheetLines_,
                             paragraphSizes_};
  SampleTextPrintout sheets(context);
  sheets.Prepare(s_.Printer.Canvas(), c_.spnPreviewPrintSize.Value());
  leases_.StartPrinting(reading_.Dir());
  // A sheet holds the faces drawn on it once it has ended, so their files are taken back then:
  // a print of thousands of faces keeps only one sheet's files, and each sheet costs the same.
  const auto newPage = [this]() -> IDrawingSurface& {
    IDrawingSurface& surface = run_.NewPage();
    leases_.TakeBackPrinted();
    return surface;
  };

  for (int i = 0; i < n && i < c_.lstSelected.Count(); ++i) {
    run_.LetCancelIn();
    if (i >= c_.lstSelected.Count()) break;
    const FontFace face{c_.lstSelected.Text(i), c_.lstSelected.ObjectAs<FontFileEntry>(i)};
    leases_.LendForPrinting(face);
    ++printed;
    run_.ShowPrinted(kCounter, printed);
    sheets.Block(s_.Printer.Canvas(), face.FullName, FileFaceFont(s_.Fonts, face, 0), printed, n,
                 newPage);
    if (run_.StopsAfter(printed, n)) break;
  }
}

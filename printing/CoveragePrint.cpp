#include "printing/CoveragePrint.h"

#include "platform/PlatformError.h"
#include "platform/fonts/FaceCoverage.h"
#include "platform/fonts/FaceFont.h"
#include "platform/printers/IPrintDocument.h"
#include "printing/CoverageSheet.h"
#include "printing/FontSheets.h"

CoveragePrint::CoveragePrint(IPrintDocument& printer, IMessageDispatch& dispatch,
                             TfrmPrinting& dialog, PrintJobState& state, ISheetTexts& texts,
                             const SheetLines& sampleSheetLines,
                             const ParagraphSizeTable& paragraphSizes)
    : printer_(printer),
      state_(state),
      texts_(texts),
      sampleSheetLines_(sampleSheetLines),
      paragraphSizes_(paragraphSizes),
      run_(printer, dispatch, dialog, state) {}

void CoveragePrint::Print(const std::vector<CoverageFace>& faces,
                          const std::vector<QPushButton*>& buttons) {
  // The list's menu stays open to the user while a run dispatches events.
  if (state_.Running || faces.empty()) return;
  std::vector<std::string> unread;
  run_.Run(buttons, static_cast<int>(faces.size()), [&] { Run(faces, unread); });
  // Said once the books that could be made are whole: an error during the run would abort the
  // book still open.
  if (!unread.empty()) {
    std::string text;
    for (const std::string& line : unread) text += (text.empty() ? "" : "\n") + line;
    throw PlatformError(text);
  }
}

void CoveragePrint::Run(const std::vector<CoverageFace>& faces, std::vector<std::string>& unread) {
  const int n = static_cast<int>(faces.size());
  run_.ShowPrinted(SheetFor(SheetKind::Coverage).CounterText(), 0);
  static const std::string kNoStyleWords;
  int printed = 0;
  int done = 0;
  for (const CoverageFace& face : faces) {
    run_.LetCancelIn();
    // Read before its document is begun, so a file that is no font leaves no empty sheet; such a
    // file is skipped, and the other faces still get their books.
    FaceCoverage coverage;
    try {
      coverage = ReadFaceCoverage(face.File, face.FaceIndex);
    } catch (const PlatformError& error) {
      unread.emplace_back(error.what());
      if (run_.StopsAfter(++done, n)) break;
      continue;
    }
    if (printed == 0) {
      run_.BeginFirstDocument();
    } else {
      run_.NewPage();
    }
    printer_.SetTitle(
        SheetTitle(SheetKind::Coverage, face.Family.empty() ? coverage.FullName : face.Family));
    const SheetContext context{texts_, state_.Metrics, kNoStyleWords, sampleSheetLines_,
                               paragraphSizes_};
    PrintCoverage(printer_, context, coverage);
    ++printed;
    run_.ShowPrinted(SheetFor(SheetKind::Coverage).CounterText(), printed);
    if (run_.StopsAfter(++done, n)) break;
  }
}

std::vector<CoverageFace> CoveragePrint::FacesOfFamilies(const std::vector<std::string>& families) {
  std::vector<CoverageFace> faces;
  for (const std::string& family : families) {
    const std::optional<FaceLocation> file = FileOfFace(family, false, false);
    if (!file) throw PlatformError("No installed font file holds " + family);
    faces.push_back({file->File, file->Index, family});
  }
  return faces;
}

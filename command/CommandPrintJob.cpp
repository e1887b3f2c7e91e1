#include "command/CommandPrintJob.h"

#include "app/StartupValues.h"
#include "install/FaceStyle.h"
#include "platform/PlatformError.h"
#include "platform/drawing/IDrawingSurface.h"
#include "platform/fonts/FaceCoverage.h"
#include "platform/printers/IPrintDocument.h"
#include "printing/CoveragePrint.h"
#include "printing/CoverageSheet.h"
#include "printing/SheetLayouts.h"
#include "printing/StyleSuffix.h"

CommandPrintJob::CommandPrintJob(IPrintDocument& printer, ISheetTexts& texts, IFontServices& fonts,
                                 const ParagraphSizeTable& paragraphSizes)
    : printer_(printer),
      texts_(texts),
      fonts_(fonts),
      paragraphSizes_(paragraphSizes),
      sampleSheetLines_{StartupValues::kSheetLine0, StartupValues::kSheetLine1, ""} {}

bool CommandPrintJob::Run(const std::vector<SheetKind>& sheets,
                          const std::vector<SourceFace>& faces, const Progress& progress,
                          const Stop& stop) {
  progress_ = progress;
  stop_ = stop;
  where_ = {0, static_cast<int>(sheets.size()), 0, static_cast<int>(faces.size()), 0, 0, 0};
  stopped_ = false;
  failures_.clear();
  styleSuffix_ = StyleSuffixFor(texts_.PrintBold(), texts_.PrintItalic());
  try {
    // The first document is begun before any sheet, to learn the printer's resolution, as the
    // window's job does.
    printer_.BeginDoc();
    metrics_ = {printer_.Canvas().DpiX(), printer_.Canvas().DpiY()};
    for (std::size_t sheet = 0; sheet < sheets.size() && !stopped_; ++sheet) {
      where_.Sheet = static_cast<int>(sheet);
      where_.FacesDone = 0;
      RunSheet(sheets[sheet], faces);
    }
    if (printer_.Printing()) {
      if (stopped_) {
        printer_.Abort();
      } else {
        printer_.EndDoc();
      }
    }
  } catch (...) {
    if (printer_.Printing()) printer_.Abort();
    throw;
  }
  return !stopped_;
}

void CommandPrintJob::RunSheet(SheetKind kind, const std::vector<SourceFace>& faces) {
  const Sheet& sheet = SheetFor(kind);
  printer_.SetTitle(SheetTitle(kind, ""));
  const SheetContext context{texts_, metrics_, styleSuffix_, sampleSheetLines_, paragraphSizes_};
  SampleTextPrintout samples(context);
  const bool manyToAPage = sheet.Paging() == SheetPaging::FacesPerPage;
  if (manyToAPage) samples.Prepare(printer_.Canvas());
  const SheetLines prepared =
      sheet.Paging() == SheetPaging::PagePerFace ? sheet.Prepare(context) : SheetLines{};
  const auto newPage = [this]() -> IDrawingSurface& {
    printer_.EndDoc();
    printer_.BeginDoc();
    return printer_.Canvas();
  };
  const int count = static_cast<int>(faces.size());
  int printed = 0;
  for (const SourceFace& face : faces) {
    if (stop_ && stop_()) {
      stopped_ = true;
      return;
    }
    ++printed;
    if (manyToAPage) {
      if (face.File) {
        samples.Block(printer_.Canvas(), face.Name, FileFaceFont(fonts_, *face.File, 0), printed,
                      count, newPage);
      } else {
        samples.Block(printer_.Canvas(), face.Name, printed, count, newPage);
      }
    } else if (sheet.Paging() == SheetPaging::PagesPerFace) {
      PrintCoverageOf(face, context);
    } else {
      if (!printer_.Printing()) printer_.BeginDoc();
      printer_.SetTitle(SheetTitle(kind, face.Name));
      sheet.Draw(printer_.Canvas(), context, prepared, face.Name);
      printer_.EndDoc();
    }
    ++where_.FacesDone;
    ++where_.FacesDoneAll;
    where_.Page = where_.Pages = 0;
    Report();
  }
  if (manyToAPage && printer_.Printing()) printer_.EndDoc();
}

bool CommandPrintJob::PrintCoverageOf(const SourceFace& face, const SheetContext& context) {
  FaceCoverage coverage;
  try {
    // Read before its document is begun, so a file that is no font leaves no empty sheet.
    if (face.File) {
      coverage = ReadFaceCoverage(face.Path, face.File->Entry->FaceIndex);
    } else {
      const std::vector<CoverageFace> file = CoveragePrint::FacesOfFamilies({face.Name});
      coverage = ReadFaceCoverage(file.front().File, file.front().FaceIndex);
    }
  } catch (const PlatformError& error) {
    failures_.push_back(face.Name + ": " + error.what());
    return false;
  }
  if (!printer_.Printing()) printer_.BeginDoc();
  printer_.SetTitle(SheetTitle(SheetKind::Coverage, face.Name));
  PrintCoverage(printer_, context, coverage, [this](int drawn, int pages) {
    where_.Page = drawn;
    where_.Pages = pages;
    Report();
  });
  printer_.EndDoc();
  return true;
}

void CommandPrintJob::Report() const {
  if (progress_) progress_(where_);
}

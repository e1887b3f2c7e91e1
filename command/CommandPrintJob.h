#pragma once

#include <functional>
#include <string>
#include <vector>

#include "command/FontSources.h"
#include "command/JobProgress.h"
#include "printing/FontSheets.h"
#include "printing/ParagraphSizes.h"
#include "printing/SheetContext.h"

class IFontServices;
class IPrintDocument;

// A print job of the command line: the sheets asked for over the faces given, drawn by the
// window's sheet layouts, each sheet a document of the printer's, as the window's print job
// makes them.
class CommandPrintJob {
 public:
  // After each face of each sheet, and each page of a coverage book.
  using Progress = std::function<void(const JobProgress& where)>;
  // Asked between two faces; true ends the job there.
  using Stop = std::function<bool()>;

  CommandPrintJob(IPrintDocument& printer, ISheetTexts& texts, IFontServices& fonts,
                  const ParagraphSizeTable& paragraphSizes);

  // Prints every sheet over every face. A face whose file cannot be read for a sheet is left
  // out of it and named among Failures(). Throws PlatformError when the printer fails; the open
  // document is then abandoned. False when stopped.
  bool Run(const std::vector<SheetKind>& sheets, const std::vector<SourceFace>& faces,
           const Progress& progress, const Stop& stop);
  // "<face>: <reason>" for each face left out of a sheet.
  const std::vector<std::string>& Failures() const { return failures_; }

 private:
  void RunSheet(SheetKind kind, const std::vector<SourceFace>& faces);
  void Report() const;
  // The face's coverage book as a document of its own; false when its file cannot be read.
  bool PrintCoverageOf(const SourceFace& face, const SheetContext& context);

  IPrintDocument& printer_;
  ISheetTexts& texts_;
  IFontServices& fonts_;
  const ParagraphSizeTable& paragraphSizes_;
  PageMetrics metrics_;
  std::string styleSuffix_;
  SheetLines sampleSheetLines_;
  Progress progress_;
  Stop stop_;
  JobProgress where_;
  bool stopped_ = false;
  std::vector<std::string> failures_;
};

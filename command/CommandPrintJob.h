#pragma once

#include <functional>
#include <string>
#include <vector>

#include "command/FontSources.h"
#include "printing/FontSheets.h"
#include "printing/ParagraphSizes.h"
#include "printing/SheetContext.h"

class IFontServices;
class IPrinter;

// A print job of the command line: the sheets asked for over the faces given, drawn by the
// window's sheet layouts, each sheet a document of the printer's, as the window's print job
// makes them.
class CommandPrintJob {
 public:
  // After each face of each sheet: how many are done, of how many.
  using Progress = std::function<void(int done, int total)>;
  // Asked between two faces; true ends the job there.
  using Stop = std::function<bool()>;

  CommandPrintJob(IPrinter& printer, ISheetTexts& texts, IFontServices& fonts,
                  const ParagraphSizeTable& paragraphSizes);

  // Prints every sheet over every face. Throws PlatformError when the printer fails; the open
  // document is then abandoned. False when stopped.
  bool Run(const std::vector<SheetKind>& sheets, const std::vector<SourceFace>& faces,
           const Progress& progress, const Stop& stop);

 private:
  void RunSheet(SheetKind kind, const std::vector<SourceFace>& faces);

  IPrinter& printer_;
  ISheetTexts& texts_;
  IFontServices& fonts_;
  const ParagraphSizeTable& paragraphSizes_;
  PageMetrics metrics_;
  std::string styleSuffix_;
  SheetLines sampleSheetLines_;
  Progress progress_;
  Stop stop_;
  int done_ = 0;
  int total_ = 0;
  bool stopped_ = false;
};

#pragma once

#include <string>
#include <vector>

#include "printing/ParagraphSizes.h"
#include "printing/PrintJobState.h"
#include "printing/PrintRun.h"
#include "printing/SheetContext.h"

class IMessageDispatch;
class IPrintDocument;
class QPushButton;
class TfrmPrinting;

// A face to chart: a font file and the face's index in it, and the family it was chosen as (a
// printer's resident family is charted in its clone's file); empty for a face chosen by file.
struct CoverageFace {
  std::string File;
  int FaceIndex = 0;
  std::string Family;
};

// Coverage books of faces through the shared print run: one document per face, the progress
// dialog counting them, Cancel seen between faces.
class CoveragePrint {
 public:
  CoveragePrint(IPrintDocument& printer, IMessageDispatch& dispatch, TfrmPrinting& dialog,
                PrintJobState& state, ISheetTexts& texts, const SheetLines& sampleSheetLines,
                const ParagraphSizeTable& paragraphSizes);

  // Prints the faces with the buttons disabled; nothing while another run is printing. Each book
  // is titled with the family it was chosen as, else with the face's full name. A face whose file
  // cannot be read is skipped; once the others are printed, PlatformError names every such file.
  void Print(const std::vector<CoverageFace>& faces, const std::vector<QPushButton*>& buttons);

  // The faces of installed families, or of a printer's resident ones: the regular face of each,
  // from the file it is drawn from. Throws PlatformError for a name no installed face has.
  static std::vector<CoverageFace> FacesOfFamilies(const std::vector<std::string>& families);

 private:
  // Skips a face whose file cannot be read, adding why to unread.
  void Run(const std::vector<CoverageFace>& faces, std::vector<std::string>& unread);

  IPrintDocument& printer_;
  PrintJobState& state_;
  ISheetTexts& texts_;
  const SheetLines& sampleSheetLines_;
  const ParagraphSizeTable& paragraphSizes_;
  PrintRun run_;
};

#pragma once

#include <array>
#include <string>

#include "printing/FontSheets.h"
#include "printing/ParagraphSizes.h"
#include "printing/PrintJobState.h"
#include "printing/PrintRun.h"
#include "printing/SheetContext.h"

class CheckBox;
class FontList;
class IMessageBoxes;
class IMessageDispatch;
class IPrintDocument;
class ListBox;
class QPushButton;
class TfrmPrinting;

// The controls a print job reads and the progress dialog it drives.
struct PrintControls {
  ListBox& lstFonts;
  CheckBox& chkBold;
  CheckBox& chkItalic;
  CheckBox& chkSample;
  CheckBox& chkCharChart;
  CheckBox& chkFullPage;
  CheckBox& chkPara;
  const std::array<CheckBox*, kParagraphSizeCount>& chkParaSizes;
  // Disabled while a job runs, so that no second job starts inside it.
  QPushButton& cmdPrint;
  QPushButton& cmdPrintSetup;
  QPushButton& cmdHeadingFont;
  TfrmPrinting& frmPrinting;
};

// A print job over the selected fonts: the chosen printouts in a fixed order, every sheet a
// document of its own, with counters in the progress dialog and Cancel.
class PrintJob {
 public:
  PrintJob(const PrintControls& controls, PrintJobState& state, FontList& fonts,
           IPrintDocument& printer, IMessageBoxes& messages, IMessageDispatch& dispatch,
           ISheetTexts& texts, const SheetLines& sampleSheetLines,
           ParagraphSizeTable& paragraphSizes);

  void cmdPrintClick();
  bool CancelPrinting() const { return state_.CancelPrinting; }
  const std::string& StyleSuffix() const { return state_.StyleSuffix; }
  const PageMetrics& Metrics() const { return state_.Metrics; }
  SheetContext Context();

 private:
  void Run();
  void RunPrintout(SheetKind kind);
  // Copies the size boxes into the table; false when none is checked.
  bool CopyParagraphSizes();

  PrintControls c_;
  FontList& fonts_;
  IPrintDocument& printer_;
  IMessageBoxes& messages_;
  ISheetTexts& texts_;
  const SheetLines& sampleSheetLines_;
  ParagraphSizeTable& paragraphSizes_;
  PrintJobState& state_;
  PrintRun run_;
};

#pragma once

#include <array>
#include <string>
#include <vector>

#include "printing/ParagraphSizes.h"
#include "printing/PrintJobState.h"
#include "printing/PrintRun.h"

class IFontServices;
class IMessageDispatch;
class IPrintDocument;
class ISheetTexts;
class ListBox;
class FontFileLeases;
class PreviewReading;
class QPushButton;
class SpinEdit;
class TfrmPrinting;

struct PreviewPrintControls {
  ListBox& lstSelected;
  SpinEdit& spnPreviewPrintSize;
  TfrmPrinting& frmPrinting;
  // The page's buttons, disabled while the sheets are printed.
  std::vector<QPushButton*> Buttons;
};

struct PreviewPrintServices {
  IPrintDocument& Printer;
  IFontServices& Fonts;
  IMessageDispatch& Dispatch;
};

// Sample sheets of the selected preview faces, drawn from their files: the Sample Text sheets'
// layout, each face's file added to the font table just before its block.
class PreviewPrint {
 public:
  PreviewPrint(const PreviewPrintControls& controls, const PreviewPrintServices& services,
               PrintJobState& state, const PreviewReading& reading, FontFileLeases& leases,
               ISheetTexts& texts, const SheetLines& sampleSheetLines,
               const ParagraphSizeTable& paragraphSizes);

  void cmdPreviewPrintClick();

 private:
  void Run();

  PreviewPrintControls c_;
  PreviewPrintServices s_;
  PrintJobState& state_;
  const PreviewReading& reading_;
  FontFileLeases& leases_;
  ISheetTexts& texts_;
  const SheetLines& sampleSheetLines_;
  const ParagraphSizeTable& paragraphSizes_;
  PrintRun run_;
};

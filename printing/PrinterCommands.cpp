#include "printing/PrinterCommands.h"

#include "platform/IMessageBoxes.h"
#include "platform/IPrinter.h"
#include "platform/IPrinterSetup.h"
#include "settings/SampleTexts.h"
#include "viewing/FontList.h"
#include "widgets/ListBox.h"

void cmdPrintSetupClick(IPrinter& printer, IPrinterSetup& setup, FontList& fonts) {
  const int before = printer.PrinterIndex();
  setup.Execute();
  if (printer.PrinterIndex() == before) return;
  fonts.FillFontList();
  fonts.lstFontsClick();
}

void cmdHeadingFontClick(ListBox& lstFonts, SampleTexts& texts, IMessageBoxes& messages) {
  // Without any font there is nothing to choose.
  if (lstFonts.Count() == 0) return;
  const std::string face = lstFonts.Text(lstFonts.ItemIndex());
  const std::string question =
      "The current heading font is " + texts.HeadingFont() + ".\r" + "Change it to " + face + "?";
  if (!messages.Confirm("Confirm", question)) return;
  texts.StoreHeadingFont(face);
}

#include "printing/PrinterCommands.h"

#include "platform/desktop/IMessageBoxes.h"
#include "platform/printers/IPrinter.h"
#include "platform/printers/IPrinterSetup.h"
#include "settings/SampleTexts.h"
#include "viewing/FontList.h"
#include "widgets/ListBox.h"

namespace {

std::string CurrentPrinter(IPrinter& printer) {
  return printer.PrinterNames().at(static_cast<std::size_t>(printer.PrinterIndex()));
}

}  // namespace

void cmdPrintSetupClick(IPrinter& printer, IPrinterSetup& setup, FontList& fonts) {
  // The dialog reads the printers afresh, and a printer added or removed moves the others: the
  // same printer is the one of the same name, wherever it now stands.
  const std::string before = CurrentPrinter(printer);
  setup.Execute();
  if (CurrentPrinter(printer) == before) return;
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

#include "printing/PrintRun.h"

#include "platform/desktop/IMessageDispatch.h"
#include "platform/drawing/IDrawingSurface.h"
#include "platform/printers/IPrintDocument.h"
#include "printing/PrintJobState.h"
#include "printing/TfrmPrinting.h"
#include "widgets/ButtonsDisabled.h"
#include "widgets/Label.h"

void PrintRun::Run(const std::vector<QPushButton*>& buttons, int selectedCount,
                   const std::function<void()>& body) {
  state_.Running = true;
  try {
    const ButtonsDisabled busy(buttons);
    dialog_.lblSelected->SetCaption("Fonts Selected: " + std::to_string(selectedCount));
    if (!dialog_.isVisible()) dialog_.show();
    state_.CancelPrinting = false;
    body();
    if (printer_.Printing()) printer_.EndDoc();
    dialog_.hide();
  } catch (...) {
    if (printer_.Printing()) printer_.Abort();
    dialog_.hide();
    Ended();
    throw;
  }
  Ended();
}

void PrintRun::Ended() {
  // The buttons are back as they were, so what waited may change them.
  state_.Running = false;
  if (state_.OnRunEnded) state_.OnRunEnded();
}

void PrintRun::BeginFirstDocument() {
  printer_.BeginDoc();
  state_.Metrics.DpiX = printer_.Canvas().DpiX();
  state_.Metrics.DpiY = printer_.Canvas().DpiY();
}

IDrawingSurface& PrintRun::NewPage() {
  printer_.EndDoc();
  printer_.BeginDoc();
  return printer_.Canvas();
}

void PrintRun::ShowPrinted(const std::string& counter, int printed) {
  dialog_.lblPrinted->SetCaption(counter + std::to_string(printed));
}

void PrintRun::LetCancelIn() {
  dispatch_.ProcessMessages();
}

bool PrintRun::StopsAfter(int printed, int count) {
  if (printed == count) return true;
  if (!state_.CancelPrinting) return false;
  if (printer_.Printing()) printer_.Abort();
  return true;
}

#pragma once

#include <functional>
#include <string>
#include <vector>

class IDrawingSurface;
class IMessageDispatch;
class IPrintDocument;
class QPushButton;
class TfrmPrinting;
struct PrintJobState;

// The frame every print run shares: the buttons that would start another run disabled, the
// progress dialog shown and Cancel cleared; at the end the open document finished and the dialog
// hidden. A printer error ends the run with no document left open and nothing on the screen,
// and goes on to be reported.
class PrintRun {
 public:
  PrintRun(IPrintDocument& printer, IMessageDispatch& dispatch, TfrmPrinting& dialog,
           PrintJobState& state)
      : printer_(printer), dispatch_(dispatch), dialog_(dialog), state_(state) {}

  // Runs body as one print run over selectedCount fonts.
  void Run(const std::vector<QPushButton*>& buttons, int selectedCount,
           const std::function<void()>& body);

  // Begins the first document and takes the printer's resolution from it.
  void BeginFirstDocument();
  // A sheet that runs onto a new page: the sheet so far is a document of its own.
  IDrawingSurface& NewPage();
  // The progress dialog's counter.
  void ShowPrinted(const std::string& counter, int printed);
  // Between two fonts, where a click on Cancel is seen.
  void LetCancelIn();
  // After a font: whether the run stops, because every font is printed or Cancel was clicked.
  // A cancelled run abandons the document it has open.
  bool StopsAfter(int printed, int count);

 private:
  void Ended();

  IPrintDocument& printer_;
  IMessageDispatch& dispatch_;
  TfrmPrinting& dialog_;
  PrintJobState& state_;
};

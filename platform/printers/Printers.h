#pragma once

#include <chrono>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/printers/CupsQueues.h"
#include "platform/printers/IPrinter.h"
#include "platform/printers/PdfNavigation.h"
#include "platform/printers/PdfSheetFiles.h"
#include "platform/printers/PrintServerRequest.h"
#include "platform/printers/SheetWriter.h"

class DeferredPageSurface;
class IFontServices;
class IMessageDispatch;
class IRegistry;
class PdfInMemory;

// The printers: a built-in PDF printer that is always there, then the CUPS queues libcups lists.
// The current printer starts as CUPS's default queue, or the PDF printer when CUPS has none or
// its server does not answer at once: the program never waits long on the print server. Every
// document is drawn as PDF at 600 dpi. The PDF printer writes each one as a file of its own into
// its output folder, on its paper (both settings of the printer, kept in the registry store); a
// CUPS queue gets each one as a job, on the queue's default paper, and lists the fonts its PPD says
// the printer holds beside the installed families.
class Printers final : public IPrinter, public IPrintDocument {
 public:
  static constexpr const char* kPdfPrinterName = "Glyphera PDF Printer";
  static constexpr int kPdfResolution = SheetWriter::kResolution;

  Printers(IFontServices& fonts, IRegistry& registry, IMessageDispatch& dispatch);
  ~Printers() override;

  // Reads the printers afresh: queues added since appear, removed ones go. The current printer
  // stays current where it now stands; when it went, the current one is the server's default
  // queue, else the PDF printer, as at start-up. False, with the printers as last read, when the
  // print server does not answer.
  bool ReadPrinters();
  // Whether the print server was there and answered when the printers were last read; without
  // it, no queue is listed but those last read.
  bool PrintServerAnswered();
  std::vector<std::string> PrinterNames() override;
  int PrinterIndex() override;
  void SetPrinterIndex(int index) override;
  const std::vector<std::string>& Fonts() override;
  // The documents go to the current printer: a file of the PDF printer's, or a queue's job.
  IPrintDocument& Document() override { return *this; }
  void BeginDoc() override;
  void EndDoc() override;
  void Abort() override;
  bool Printing() override { return document_ != nullptr; }
  IDrawingSurface& Canvas() override;
  void SetTitle(const std::string& title) override;
  // For this run only, and not kept.
  void SetDate(std::optional<std::time_t> date) override { fixedDate_ = date; }
  void NewPage() override;
  void AddBookmark(int level, const std::string& title) override;
  void AddLink(const SurfaceRect& area, int page) override;

  // The PDF printer's output folder: the stored one, or a "Glyphera" folder in the user's
  // documents folder.
  std::string OutputFolder() { return pdfFiles_.OutputFolder(); }
  void SetOutputFolder(const std::string& folder) { pdfFiles_.SetOutputFolder(folder); }
  bool IsPdfPrinter() const { return index_ == 0; }
  // The PDF printer's paper, "Letter" or "A4": the stored one, or the locale's. A CUPS queue
  // prints on its own default paper.
  std::string PaperSize() { return pdfFiles_.PaperSize(); }
  void SetPaperSize(const std::string& paper) { pdfFiles_.SetPaperSize(paper); }
  // For this run only, and not kept: every document on this paper ("A4" or "Letter"), whatever
  // printer it goes to.
  void UsePaper(const std::string& paper) { paperForRun_ = paper; }
  // The name of the paper the printer at the index prints on: the PDF printer's, or a queue's
  // default paper (the PDF printer's when the queue does not say, as its documents are then).
  std::string PaperOf(int index);

 private:
  struct StartupAnswer;
  // Takes what the print server answered to the start's questions, if it answered in time, once.
  void TakeStartupAnswer();
  // The printers the server lists; the current one as ReadPrinters says.
  void Adopt(CupsQueues::Listing queues);
  const std::string& CurrentName() const { return names_[static_cast<std::size_t>(index_)]; }
  // The current queue's PPD; nothing when the server does not answer.
  std::optional<std::string> QueuePpd();
  // The families of the fonts the PPD says the printer holds itself, after the screen's.
  void AddResidentFamilies(std::vector<std::string>& families, const std::string& ppd) const;
  // How a document being printed waits for the server.
  ServerPatience PrintingPatience();
  // Starts drawing the open document, under the title in force now.
  IDrawingSurface& BeginPage();
  void Close();

  IFontServices& fonts_;
  IMessageDispatch& dispatch_;
  PdfSheetFiles pdfFiles_;
  std::vector<std::string> names_;
  int index_ = 0;
  std::optional<std::vector<std::string>> fontList_;
  std::unique_ptr<PdfInMemory> document_;
  std::unique_ptr<DeferredPageSurface> page_;
  std::string title_;
  // The open document's page, from 0, and the navigation its PDF is given when it ends.
  int pageNumber_ = 0;
  std::vector<PdfNavigation::Bookmark> bookmarks_;
  std::vector<PdfNavigation::Link> links_;
  std::unique_ptr<PrintServerRequest> startupRequest_;
  std::shared_ptr<StartupAnswer> startupAnswer_;
  std::chrono::steady_clock::time_point startupDeadline_;
  // The start's PPD of the default queue, by queue name, until its font list is built.
  std::optional<std::pair<std::string, std::string>> startupPpd_;
  // Whether the print server answered when last asked; while it does not, what only shows the
  // printer (its fonts, its paper) is not asked of it again until the printers are read afresh.
  bool serverAnswers_ = true;
  // Whether the server could be reached when the printers were last listed.
  bool serverReached_ = true;
  std::string paperForRun_;
  std::optional<std::optional<std::time_t>> fixedDate_;
};

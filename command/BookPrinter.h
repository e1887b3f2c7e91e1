#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "command/CommandPrintJob.h"
#include "command/FontSources.h"
#include "printing/FontSheets.h"
#include "printing/ParagraphSizes.h"

class IFontServices;
class ISheetTexts;
class PdfBookFile;

// The pages of a print job into one PDF book, in pieces that each begin on a page of their own:
// a sample-text sheet's faces are one piece, since its pages run on from face to face; any other
// sheet's faces are taken a few at a time. The pieces are printed one after another or, with
// workers, by that many processes at once, and joined in the job's order, so that the book is
// the same byte for byte either way.
class BookPrinter {
 public:
  struct Setup {
    ISheetTexts& Texts;
    IFontServices& Fonts;
    const ParagraphSizeTable& ParagraphSizes;
    std::string Paper;  // "A4" or "Letter"
    std::optional<std::time_t> Date;
  };

  explicit BookPrinter(const Setup& setup) : setup_(setup) {}

  // Prints every sheet over every face into the file, with as many worker processes as asked
  // (none when the process cannot fork safely, or for one), under a title that names the job.
  // Progress follows the sheets' faces and, of the first piece not yet in the file, its coverage
  // book's pages. False when stopped. Throws PlatformError when the book cannot be made or written.
  bool Print(PdfBookFile& file, const std::vector<SheetKind>& sheets,
             const std::vector<SourceFace>& faces, int workers,
             const CommandPrintJob::Progress& progress, const CommandPrintJob::Stop& stop);
  // "<face>: <reason>" for each face left out of a sheet, in the job's order.
  const std::vector<std::string>& Failures() const { return failures_; }

 private:
  bool PrintHere(PdfBookFile& file, const std::vector<SourceFace>& faces,
                 const CommandPrintJob::Progress& progress, const CommandPrintJob::Stop& stop);
  bool PrintInWorkers(PdfBookFile& file, const std::vector<SourceFace>& faces, int workers,
                      const CommandPrintJob::Progress& progress, const CommandPrintJob::Stop& stop);

  Setup setup_;
  struct Piece {
    SheetKind Kind;
    int Sheet;  // the kind's place among the job's sheets
    std::size_t First;
    std::size_t Count;
  };
  std::vector<Piece> pieces_;
  std::string title_;
  // The job's sheets and faces, as progress counts them.
  int sheets_ = 0;
  int faces_ = 0;
  std::vector<std::string> failures_;
};

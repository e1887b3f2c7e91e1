#pragma once

#include <functional>
#include <string>

#include "platform/drawing/IDrawingSurface.h"
#include "printing/SheetContext.h"

// Where the first font block of a Sample Text page starts.
struct BlockPosition {
  int X = 0;
  int Y = 0;
};

// The heading of a Sample Text page for sample size S: the title at the left, the style words and
// the size at the right, a rule below. Gives the start of the first block.
BlockPosition DrawSampleHeading(IDrawingSurface& surface, const SheetContext& context, int size);

// The heading of a one-font page: the text centred on 4 inches, a rule below. Leaves the
// surface's font at the heading font, 12 points, regular.
void DrawFontHeading(IDrawingSurface& surface, const SheetContext& context,
                     const std::string& text);

// The Sample Text printout: many fonts per page, each page a document of its own.
class SampleTextPrintout {
 public:
  // Ends the current document, begins a new one and gives its surface.
  using NewPage = std::function<IDrawingSurface&()>;

  explicit SampleTextPrintout(const SheetContext& context);

  // Once before the loop, into the job's open document: takes the sheet lines with the sample
  // text as it stands as the third, fixes the size, the line advance and the page limit, draws the
  // first heading.
  void Prepare(IDrawingSurface& surface);
  // The same at a size of the caller's (the preview sheets have a size box of their own).
  void Prepare(IDrawingSurface& surface, int size);
  // One selected font's block; printedSoFar counts this font. When the page is full and fonts
  // remain, starts a new page through newPage and draws its heading.
  void Block(IDrawingSurface& surface, const std::string& face, int printedSoFar, int selectedCount,
             const NewPage& newPage);
  // A block whose name line and body font the caller chooses; body.Points is the printout's size.
  void Block(IDrawingSurface& surface, const std::string& nameLine, SurfaceFont body,
             int printedSoFar, int selectedCount, const NewPage& newPage);

  int LineAdvance() const { return lineAdvance_; }
  int Limit() const { return limit_; }

 private:
  // A copy: it only refers to the job's state, and a caller's temporary must not leave it dangling.
  SheetContext context_;
  SheetLines lines_;
  int size_ = 0;
  int lineAdvance_ = 0;
  int limit_ = 0;
  BlockPosition at_;
};

// One font's Character Chart page: codes 33 to 255 with their labels.
void PrintCharacterChart(IDrawingSurface& surface, const SheetContext& context,
                         const std::string& face);

// The sheet lines with the sample text as it stands as the third: once before a loop of sheets,
// so that every sheet of the job prints the same lines.
SheetLines LinesWithSample(const SheetContext& context);

// Once before the Full Page loop: the lines its style sections print.
SheetLines PrepareFullPage(const SheetContext& context);
// One font's Full Page sample.
void PrintFullPage(IDrawingSurface& surface, const SheetContext& context, const SheetLines& lines,
                   const std::string& face);

// One font's Text Paragraphs page, one paragraph per checked size.
void PrintTextParagraphs(IDrawingSurface& surface, const SheetContext& context,
                         const std::string& face);

#pragma once

#include <functional>
#include <vector>

#include "platform/drawing/IDrawingSurface.h"
#include "platform/fonts/FaceCoverage.h"
#include "printing/SheetContext.h"

class IPrintDocument;

// A Unicode block a face has at least one code point of.
struct BlockCoverage {
  int Block = 0;       // in UnicodeBlocks::All()
  int Present = 0;     // assigned code points of the block the face maps to a glyph
  int Unassigned = 0;  // code points the face maps that Unicode has not assigned
  // The block's chart pages of 256 code points that the book prints, by number from the block's
  // start: all of them, but in a private use block (up to 256 pages, every code point assigned
  // and no character of its own) only those holding a code point of the face.
  std::vector<int> Pages;
};

// The blocks the face touches, in code point order.
std::vector<BlockCoverage> CoveredBlocks(const FaceCoverage& face);

// Where a chart page of so many columns (16 code points each) draws the cell of a column and row,
// in device pixels.
SurfaceRect ChartCell(const PageMetrics& metrics, int columns, int column, int row);

// Told after each page of a coverage book is drawn: the pages drawn, of all the book's.
using CoveragePages = std::function<void(int drawn, int pages)>;

// One face's coverage book into the printer's open document: an index page (more when the face
// touches many blocks) listing every block it touches, each row linked to the block's chart, then
// the charts, laid out as Unicode's code charts, 256 code points a page. The document is given an
// outline of the face and its blocks. A book runs to hundreds of pages: pages hears of each.
void PrintCoverage(IPrintDocument& printer, const SheetContext& context, const FaceCoverage& face,
                   const CoveragePages& pages = {});

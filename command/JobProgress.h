#pragma once

// Where a print job of the command line stands. The sheets are printed one after another, each
// over every face; a face's coverage book, hundreds of pages long, is followed page by page.
struct JobProgress {
  int Sheet = 0;  // the sheet being printed, from 0
  int Sheets = 1;
  int FacesDone = 0;  // faces of that sheet printed
  int Faces = 0;
  int FacesDoneAll = 0;  // faces printed over every sheet, of Sheets * Faces
  // In the coverage book being printed: its pages drawn, of all of them; 0 of 0 outside one.
  int Page = 0;
  int Pages = 0;

  // The share of the whole job done, from 0 to 1.
  double Done() const {
    const int all = Sheets * Faces;
    if (all <= 0) return 1;
    const double inBook = Pages > 0 ? static_cast<double>(Page) / Pages : 0;
    const double done = (FacesDoneAll + inBook) / all;
    return done < 1 ? done : 1;
  }
  bool Finished() const { return FacesDoneAll >= Sheets * Faces; }
};

#include "command/BookPrinter.h"

#include <unistd.h>

#include <cstring>
#include <string_view>

#include "platform/PlatformError.h"
#include "platform/files/ForkedWorkers.h"
#include "platform/printers/PdfBook.h"
#include "platform/printers/PdfBookFile.h"

namespace {

// What a piece gives besides its pages.
struct PieceResult {
  std::vector<PdfNavigation::Bookmark> Bookmarks;
  std::vector<PdfNavigation::Link> Links;
  std::vector<std::string> Failures;
  bool Stopped = false;
  std::string Error;  // why the piece could not be made; empty when it was
};

// Prints count faces of the sheet from the first on a book of their own, whose parts go to the
// sink. Progress is the piece's own, as a job of those faces.
PieceResult PrintPiece(const BookPrinter::Setup& setup, const std::string& title, SheetKind kind,
                       const std::vector<SourceFace>& faces, std::size_t first, std::size_t count,
                       PdfBook::PartSink sink, const CommandPrintJob::Progress& progress,
                       const CommandPrintJob::Stop& stop) {
  const auto from = faces.begin() + static_cast<std::ptrdiff_t>(first);
  const std::vector<SourceFace> taken(from, from + static_cast<std::ptrdiff_t>(count));
  PdfBook book(std::move(sink), title, setup.Paper, setup.Date);
  CommandPrintJob job(book, setup.Texts, setup.Fonts, setup.ParagraphSizes);
  PieceResult result;
  try {
    result.Stopped = !job.Run({kind}, taken, progress, stop);
    if (!result.Stopped && book.Finish()) result.Error = "Unable to write the PDF";
  } catch (const PlatformError& error) {
    result.Error = error.what();
  }
  result.Failures = job.Failures();
  result.Bookmarks = book.Bookmarks();
  result.Links = book.Links();
  return result;
}

// Takes a finished piece into the book: its failures, and its navigation from the book's page
// firstPage. False when the piece was stopped; throws PlatformError when it could not be made.
bool TakePiece(PdfBookFile& file, int firstPage, const PieceResult& result,
               std::vector<std::string>& failures) {
  failures.insert(failures.end(), result.Failures.begin(), result.Failures.end());
  if (!result.Error.empty()) throw PlatformError(result.Error);
  if (result.Stopped) return false;
  file.AddNavigation(firstPage, result.Bookmarks, result.Links);
  return true;
}

// A piece's result as a worker sends it: fields one after another, each number in the
// machine's own order (both ends are the same program on the same machine), each text after
// its length.
class Encoder {
 public:
  explicit Encoder(char kind) : bytes_(1, kind) {}
  template <typename Number>
  void Put(Number value) {
    bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  void Put(const std::string& text) {
    Put(text.size());
    bytes_ += text;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

class Decoder {
 public:
  explicit Decoder(std::string_view bytes) : bytes_(bytes) {}
  template <typename Number>
  void Get(Number& value) {
    if (bytes_.size() < sizeof value) throw PlatformError("A worker process sent a damaged result");
    std::memcpy(&value, bytes_.data(), sizeof value);
    bytes_.remove_prefix(sizeof value);
  }
  void Get(std::string& text) {
    std::size_t size = 0;
    Get(size);
    if (bytes_.size() < size) throw PlatformError("A worker process sent a damaged result");
    text = std::string(bytes_.substr(0, size));
    bytes_.remove_prefix(size);
  }
  template <typename Item, typename Read>
  void GetAll(std::vector<Item>& items, Read read) {
    std::size_t count = 0;
    Get(count);
    for (std::size_t i = 0; i < count; ++i) read(items.emplace_back());
  }

 private:
  std::string_view bytes_;
};

constexpr char kPart = 'P';
constexpr char kDone = 'D';

std::string Encode(const PieceResult& result) {
  Encoder out(kDone);
  out.Put(result.Bookmarks.size());
  for (const PdfNavigation::Bookmark& bookmark : result.Bookmarks) {
    out.Put(bookmark.Level);
    out.Put(bookmark.Title);
    out.Put(bookmark.Page);
  }
  out.Put(result.Links.size());
  for (const PdfNavigation::Link& link : result.Links) {
    for (const double edge : {link.Left, link.Bottom, link.Right, link.Top}) out.Put(edge);
    out.Put(link.FromPage);
    out.Put(link.ToPage);
  }
  out.Put(result.Failures.size());
  for (const std::string& failure : result.Failures) out.Put(failure);
  out.Put(result.Stopped);
  out.Put(result.Error);
  return out.Bytes();
}

PieceResult Decode(std::string_view bytes) {
  Decoder in(bytes.substr(1));
  PieceResult result;
  in.GetAll(result.Bookmarks, [&in](PdfNavigation::Bookmark& bookmark) {
    in.Get(bookmark.Level);
    in.Get(bookmark.Title);
    in.Get(bookmark.Page);
  });
  in.GetAll(result.Links, [&in](PdfNavigation::Link& link) {
    for (double* edge : {&link.Left, &link.Bottom, &link.Right, &link.Top}) in.Get(*edge);
    in.Get(link.FromPage);
    in.Get(link.ToPage);
  });
  in.GetAll(result.Failures, [&in](std::string& failure) { in.Get(failure); });
  in.Get(result.Stopped);
  in.Get(result.Error);
  return result;
}

// Where the counters the workers share with the parent stand: the next piece to take, the faces
// done of each sheet, and of each piece its worker (from 1) and its coverage book's pages drawn,
// of all. The pages come back this way, not as messages, because the parent reads the pipe of
// the one piece it joins now, while the page it shows may be that of any piece.
struct Counters {
  int Sheets;
  int Pieces;
  static int NextPiece() { return 0; }
  int FacesDone(int sheet) const { return 1 + sheet; }
  int Worker(int piece) const { return 1 + Sheets + piece; }
  int Page(int piece) const { return 1 + Sheets + Pieces + piece; }
  int Pages(int piece) const { return 1 + Sheets + 2 * Pieces + piece; }
  int Count() const { return 1 + Sheets + 3 * Pieces; }
};

}  // namespace

bool BookPrinter::Print(PdfBookFile& file, const std::vector<SheetKind>& sheets,
                        const std::vector<SourceFace>& faces, int workers,
                        const CommandPrintJob::Progress& progress,
                        const CommandPrintJob::Stop& stop) {
  pieces_.clear();
  failures_.clear();
  sheets_ = static_cast<int>(sheets.size());
  faces_ = static_cast<int>(faces.size());
  title_ = JobTitle(sheets, faces.size(), faces.empty() ? "" : faces.front().Name);
  for (int sheet = 0; sheet < sheets_; ++sheet) {
    const SheetKind kind = sheets[static_cast<std::size_t>(sheet)];
    const std::size_t perPiece = SheetFor(kind).FacesPerPiece();
    const std::size_t step = perPiece == 0 ? faces.size() : perPiece;
    for (std::size_t first = 0; first < faces.size(); first += step) {
      pieces_.push_back({kind, sheet, first, std::min(step, faces.size() - first)});
    }
  }
  workers = std::min(workers, static_cast<int>(pieces_.size()));
  if (workers > 1 && ForkedWorkers::CanFork()) {
    return PrintInWorkers(file, faces, workers, progress, stop);
  }
  return PrintHere(file, faces, progress, stop);
}

bool BookPrinter::PrintHere(PdfBookFile& file, const std::vector<SourceFace>& faces,
                            const CommandPrintJob::Progress& progress,
                            const CommandPrintJob::Stop& stop) {
  JobProgress where{0, sheets_, 0, faces_, 0, 0, 0};
  std::vector<int> sheetDone(static_cast<std::size_t>(sheets_), 0);
  for (const Piece& piece : pieces_) {
    const int first = file.PageCount();
    int pieceDone = 0;
    const PieceResult result = PrintPiece(
        setup_, title_, piece.Kind, faces, piece.First, piece.Count,
        [&file](std::string part) { return file.Append(part); },
        [&](const JobProgress& inPiece) {
          int& done = sheetDone[static_cast<std::size_t>(piece.Sheet)];
          done += inPiece.FacesDone - pieceDone;
          where.FacesDoneAll += inPiece.FacesDone - pieceDone;
          pieceDone = inPiece.FacesDone;
          where.Sheet = piece.Sheet;
          where.FacesDone = done;
          where.Page = inPiece.Page;
          where.Pages = inPiece.Pages;
          if (progress) progress(where);
        },
        stop);
    if (!TakePiece(file, first, result, failures_)) return false;
  }
  return true;
}

bool BookPrinter::PrintInWorkers(PdfBookFile& file, const std::vector<SourceFace>& faces,
                                 int workers, const CommandPrintJob::Progress& progress,
                                 const CommandPrintJob::Stop& stop) {
  const int count = static_cast<int>(pieces_.size());
  const Counters at{sheets_, count};
  // Each worker takes the next piece not yet taken, and sends its parts and then its result.
  ForkedWorkers children(
      workers, at.Count(),
      [&](int child, const ForkedWorkers::Send& send, std::atomic<int>* counters) {
        for (;;) {
          const int index = counters[Counters::NextPiece()].fetch_add(1);
          if (index >= count) return;
          counters[at.Worker(index)].store(child + 1);
          const Piece& piece = pieces_[static_cast<std::size_t>(index)];
          int pieceDone = 0;
          const PieceResult result = PrintPiece(
              setup_, title_, piece.Kind, faces, piece.First, piece.Count,
              [&send](std::string part) { return send(part.insert(0, 1, kPart)); },
              [&](const JobProgress& inPiece) {
                counters[at.FacesDone(piece.Sheet)].fetch_add(inPiece.FacesDone - pieceDone);
                pieceDone = inPiece.FacesDone;
                // The whole before the part, so that a page read is never of no book.
                counters[at.Pages(index)].store(inPiece.Pages);
                counters[at.Page(index)].store(inPiece.Page);
              },
              stop);
          if (!send(Encode(result)) || result.Stopped || !result.Error.empty()) return;
        }
      });
  bool stopping = false;
  int joining = 0;  // the piece being joined, whose page is shown
  const auto idle = [&] {
    if (progress) {
      const Piece& piece = pieces_[static_cast<std::size_t>(std::min(joining, count - 1))];
      JobProgress where{piece.Sheet, sheets_, 0, faces_, 0, 0, 0};
      for (int sheet = 0; sheet < sheets_; ++sheet) {
        const int done = children.Counter(at.FacesDone(sheet)).load();
        where.FacesDoneAll += done;
        if (sheet == piece.Sheet) where.FacesDone = done;
      }
      if (joining < count) {
        where.Page = children.Counter(at.Page(joining)).load();
        where.Pages = children.Counter(at.Pages(joining)).load();
      }
      progress(where);
    }
    if (!stopping && stop && stop()) {
      stopping = true;
      children.Interrupt();
    }
  };
  // The pieces are joined in order, each from the worker that took it.
  for (int index = 0; index < count; ++index) {
    joining = index;
    int worker = 0;
    while ((worker = children.Counter(at.Worker(index)).load()) == 0) {
      if (!children.AnyRunning()) throw PlatformError("The worker processes ended early");
      idle();
      usleep(10000);
    }
    const int first = file.PageCount();
    for (;;) {
      const std::optional<std::string> message = children.Receive(worker - 1, idle);
      if (!message || message->empty()) {
        throw PlatformError("A worker process ended before its pages were made");
      }
      if (message->front() == kPart) {
        if (!file.Append(std::string_view(*message).substr(1))) {
          throw PlatformError("Unable to write the PDF");
        }
        continue;
      }
      if (!TakePiece(file, first, Decode(*message), failures_)) return false;
      break;
    }
    idle();
  }
  joining = count;
  idle();
  return true;
}

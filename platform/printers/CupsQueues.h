#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CupsConnection;

// The CUPS server the program prints through, asked over a connection whose every wait is
// bounded (CupsConnection). Asked of libcups directly: Qt's CUPS support builds a PPD cache for
// every queue it describes and leaks part of it each time. Nothing here falls back to libcups's
// own connection. Refusals are thrown as PlatformError with a text the user can act on; what a
// server that stopped answering says is the connection's to tell (CupsConnection::GaveUp).
namespace CupsQueues {

struct Listing {
  std::vector<std::string> Names;
  // The queue the server (or the user's own CUPS settings) prints on by default; empty for none.
  std::string DefaultName;
  // Whether the server could be reached at all: one that is not there lists no queue either.
  bool Reached = false;
};

// The server's queues, each once; none when the server cannot be reached.
Listing List(CupsConnection& server);
bool Exists(CupsConnection& server, const std::string& queue);

// The paper the queue prints on unless told otherwise, width and height in millimetres: the
// user's own default for it, else the printer's; nothing when neither says.
std::optional<std::pair<double, double>> DefaultPaperMillimetres(CupsConnection& server,
                                                                 const std::string& queue);

// The queue's PostScript Printer Description as the server hands it out; empty when the queue
// has none (a driverless or raw queue) or the server cannot be reached.
std::string Ppd(CupsConnection& server, const std::string& queue);

// Throws unless the queue exists and would print a job now: a stopped queue keeps jobs
// without printing them, and one that rejects jobs refuses them.
void CheckTakesJobs(CupsConnection& server, const std::string& queue);

// Sends a PDF document to the queue as one job under the title; throws when the server does
// not take all of it.
void Submit(CupsConnection& server, const std::string& queue, const std::string& title,
            std::string_view pdf);

}  // namespace CupsQueues

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The CUPS server the program prints through: the one the user's CUPS settings (or CUPS_SERVER)
// name. Errors are thrown as PlatformError with a text the user can act on.
namespace CupsQueues {

// The server's queues by name, and the one it prints on by default (empty when none). Asked of
// libcups directly: Qt's CUPS support builds a PPD cache for every queue it describes and
// leaks part of it each time.
std::vector<std::string> Names();
std::string DefaultName();
bool Exists(const std::string& queue);

// The paper the queue prints on unless told otherwise, width and height in millimetres: the
// user's own default for it, else the printer's; nothing when neither says.
std::optional<std::pair<double, double>> DefaultPaperMillimetres(const std::string& queue);

// The queue's PostScript Printer Description as the server hands it out; empty when the queue
// has none (a driverless or raw queue) or the server cannot be reached.
std::string Ppd(const std::string& queue);

// Throws unless the queue exists and would print a job now: a stopped queue keeps jobs
// without printing them, and one that rejects jobs refuses them.
void CheckTakesJobs(const std::string& queue);

// Sends a PDF document to the queue as one job under the title; throws when the server does
// not take all of it.
void Submit(const std::string& queue, const std::string& title, std::string_view pdf);

}  // namespace CupsQueues

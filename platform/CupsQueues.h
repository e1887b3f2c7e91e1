#pragma once

#include <string>
#include <string_view>

// The CUPS server the program prints through: the one the user's CUPS settings (or CUPS_SERVER)
// name. Errors are thrown as PlatformError with a text the user can act on.
namespace CupsQueues {

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

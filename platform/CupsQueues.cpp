#include "platform/CupsQueues.h"

#include <cups/cups.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "platform/PlatformError.h"

namespace {

struct DestRelease {
  void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

using DestPtr = std::unique_ptr<cups_dest_t, DestRelease>;

// The queue as the server describes it (the default one for an empty name); null when unknown.
DestPtr NamedDest(const std::string& queue) {
  return DestPtr(
      cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.empty() ? nullptr : queue.c_str(), nullptr));
}

[[noreturn]] void Fail(const std::string& queue, const std::string& why) {
  throw PlatformError("Unable to print on " + queue + ": " + why);
}

std::string LastError() {
  const char* text = cupsLastErrorString();
  return text != nullptr && *text != '\0' ? text : "the print server did not answer";
}

}  // namespace

namespace CupsQueues {

std::vector<std::string> Names() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    if (dests[i].instance == nullptr) names.emplace_back(dests[i].name);
  }
  cupsFreeDests(count, dests);
  return names;
}

std::string DefaultName() {
  const DestPtr dest = NamedDest("");
  return dest ? dest->name : "";
}

bool Exists(const std::string& queue) {
  return NamedDest(queue) != nullptr;
}

std::optional<std::pair<double, double>> DefaultPaperMillimetres(const std::string& queue) {
  const DestPtr dest = NamedDest(queue);
  if (!dest) return std::nullopt;
  cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get());
  if (info == nullptr) return std::nullopt;
  // The user's own paper (lpoptions) and the defaults of the server's queues come as the
  // destination's "media" option; a printer the server has no queue of (one found on the
  // network) says its default only in its own attributes. cupsGetDestMediaDefault does not look
  // there: it takes Letter, which prints smaller and lower on any other paper.
  const char* media = cupsGetOption("media", dest->num_options, dest->options);
  if (media == nullptr) {
    if (ipp_attribute_t* own = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest.get(), info, "media")) {
      media = ippGetString(own, 0, nullptr);
    }
  }
  cups_size_t size{};
  const bool found =
      media != nullptr && cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest.get(), info, media,
                                                 CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
  cupsFreeDestInfo(info);
  if (!found || size.width <= 0 || size.length <= 0) return std::nullopt;
  return std::pair{size.width / 100.0, size.length / 100.0};
}

std::string Ppd(const std::string& queue) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), std::fclose);
  if (!file) return {};
  const std::string resource = "/printers/" + queue + ".ppd";
  if (cupsGetFd(CUPS_HTTP_DEFAULT, resource.c_str(), fileno(file.get())) != HTTP_STATUS_OK) {
    return {};
  }
  std::string text;
  char buffer[8192];
  std::rewind(file.get());
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
    text.append(buffer, n);
  }
  return text;
}

void CheckTakesJobs(const std::string& queue) {
  const DestPtr dest = NamedDest(queue);
  if (!dest) Fail(queue, "the printer is not known to the print server (" + LastError() + ")");
  const auto option = [&dest](const char* name) {
    const char* value = cupsGetOption(name, dest->num_options, dest->options);
    return std::string(value != nullptr ? value : "");
  };
  if (option("printer-is-accepting-jobs") == "false") Fail(queue, "the printer rejects jobs");
  if (option("printer-state") == "5") Fail(queue, "the printer is stopped");
}

void Submit(const std::string& queue, const std::string& title, std::string_view pdf) {
  const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.c_str(), title.c_str(), 0, nullptr);
  if (job == 0) Fail(queue, LastError());
  const auto cancel = [&] { cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0); };
  if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1) !=
      HTTP_STATUS_CONTINUE) {
    const std::string why = LastError();
    cancel();
    Fail(queue, why);
  }
  const bool sent =
      cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.data(), pdf.size()) == HTTP_STATUS_CONTINUE;
  const bool finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str()) == IPP_STATUS_OK;
  if (!sent || !finished) {
    const std::string why = LastError();
    cancel();
    Fail(queue, why);
  }
}

}  // namespace CupsQueues

#include "platform/printers/CupsQueues.h"

#include <cups/cups.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "platform/PlatformError.h"
#include "platform/printers/CupsConnection.h"

namespace {

// The server's destinations. Looked up in the list rather than by cupsGetNamedDest, which asks
// libcups's own connection, without a bound, when the server does not answer it.
class Dests {
 public:
  explicit Dests(CupsConnection& server) {
    if (server.Http() != nullptr) count_ = cupsGetDests2(server.Http(), &dests_);
  }
  ~Dests() { cupsFreeDests(count_, dests_); }
  Dests(const Dests&) = delete;
  Dests& operator=(const Dests&) = delete;

  int Count() const { return count_; }
  cups_dest_t& operator[](int i) const { return dests_[i]; }
  // The queue itself, not one of its instances; null when unknown.
  cups_dest_t* Find(const std::string& queue) const {
    return cupsGetDest(queue.c_str(), nullptr, count_, dests_);
  }

 private:
  cups_dest_t* dests_ = nullptr;
  int count_ = 0;
};

[[noreturn]] void Fail(const std::string& queue, const std::string& why) {
  throw PlatformError("Unable to print on " + queue + ": " + why);
}

std::string LastError() {
  const char* text = cupsLastErrorString();
  return text != nullptr && *text != '\0' ? text : "the print server did not answer";
}

std::string Option(const cups_dest_t& dest, const char* name) {
  const char* value = cupsGetOption(name, dest.num_options, dest.options);
  return value != nullptr ? value : "";
}

std::string PrinterUri(const std::string& queue) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", queue.c_str());
  return uri;
}

// Creates an empty job on the queue; 0 when the server refuses.
int CreateJob(http_t* http, const std::string& queue, const std::string& title) {
  ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               PrinterUri(queue).c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
  ipp_t* response = cupsDoRequest(http, request, ("/printers/" + queue).c_str());
  ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER);
  const int job =
      cupsLastError() <= IPP_STATUS_OK_CONFLICTING && id != nullptr ? ippGetInteger(id, 0) : 0;
  ippDelete(response);
  return job;
}

// A paper's size in hundredths of a millimetre by any of the names CUPS gives it.
pwg_media_t* MediaNamed(const char* name) {
  if (pwg_media_t* media = pwgMediaForPWG(name)) return media;
  if (pwg_media_t* media = pwgMediaForLegacy(name)) return media;
  return pwgMediaForPPD(name);
}

}  // namespace

namespace CupsQueues {

Listing List(CupsConnection& server) {
  const Dests dests(server);
  Listing listing;
  listing.Reached = server.Http() != nullptr;
  for (int i = 0; i < dests.Count(); ++i) {
    if (dests[i].instance != nullptr) continue;
    listing.Names.emplace_back(dests[i].name);
  }
  for (int i = 0; i < dests.Count(); ++i) {
    if (dests[i].is_default) listing.DefaultName = dests[i].name;
  }
  return listing;
}

bool Exists(CupsConnection& server, const std::string& queue) {
  return Dests(server).Find(queue) != nullptr;
}

std::optional<std::pair<double, double>> DefaultPaperMillimetres(CupsConnection& server,
                                                                 const std::string& queue) {
  const Dests dests(server);
  cups_dest_t* dest = dests.Find(queue);
  if (dest == nullptr) return std::nullopt;
  // The user's own paper (lpoptions) and the defaults of the server's queues come as the
  // destination's "media" option. A printer the server has no queue of (one found on the
  // network) says its default only in its own attributes; cupsGetDestMediaDefault does not
  // look there: it takes Letter, which prints smaller and lower on any other paper.
  int width = 0;
  int length = 0;
  if (const char* media = cupsGetOption("media", dest->num_options, dest->options)) {
    if (pwg_media_t* size = MediaNamed(media)) {
      width = size->width;
      length = size->length;
    }
  } else if (cups_dinfo_t* info = cupsCopyDestInfo(server.Http(), dest)) {
    ipp_attribute_t* own = cupsFindDestDefault(server.Http(), dest, info, "media");
    cups_size_t size{};
    if (own != nullptr &&
        cupsGetDestMediaByName(server.Http(), dest, info, ippGetString(own, 0, nullptr),
                               CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0) {
      width = size.width;
      length = size.length;
    }
    cupsFreeDestInfo(info);
  }
  if (width <= 0 || length <= 0) return std::nullopt;
  return std::pair{width / 100.0, length / 100.0};
}

std::string Ppd(CupsConnection& server, const std::string& queue) {
  if (server.Http() == nullptr) return {};
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), std::fclose);
  if (!file) return {};
  const std::string resource = "/printers/" + queue + ".ppd";
  if (cupsGetFd(server.Http(), resource.c_str(), fileno(file.get())) != HTTP_STATUS_OK) return {};
  std::string text;
  char buffer[8192];
  std::rewind(file.get());
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
    text.append(buffer, n);
  }
  return text;
}

void CheckTakesJobs(CupsConnection& server, const std::string& queue) {
  const Dests dests(server);
  const cups_dest_t* dest = dests.Find(queue);
  if (dest == nullptr) {
    Fail(queue, "the printer is not known to the print server (" + LastError() + ")");
  }
  if (Option(*dest, "printer-is-accepting-jobs") == "false")
    Fail(queue, "the printer rejects jobs");
  if (Option(*dest, "printer-state") == "5") Fail(queue, "the printer is stopped");
}

void Submit(CupsConnection& server, const std::string& queue, const std::string& title,
            std::string_view pdf) {
  http_t* http = server.Http();
  if (http == nullptr) Fail(queue, LastError());
  const int job = CreateJob(http, queue, title);
  if (job == 0) Fail(queue, LastError());
  const auto cancel = [&] { cupsCancelJob2(http, queue.c_str(), job, 0); };
  if (cupsStartDocument(http, queue.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1) !=
      HTTP_STATUS_CONTINUE) {
    const std::string why = LastError();
    cancel();
    Fail(queue, why);
  }
  const bool sent = cupsWriteRequestData(http, pdf.data(), pdf.size()) == HTTP_STATUS_CONTINUE;
  const bool finished = cupsFinishDocument(http, queue.c_str()) == IPP_STATUS_OK;
  if (!sent || !finished) {
    const std::string why = LastError();
    cancel();
    Fail(queue, why);
  }
}

}  // namespace CupsQueues

#pragma once

#include <atomic>
#include <chrono>

typedef struct _http_s http_t;

// A connection to the print server the user's CUPS settings (or CUPS_SERVER) name, on which no
// wait is left to libcups: its own waits are a minute each, and a server that takes connections
// but never answers would hold the caller for minutes. Every wait here gives up once the server
// has been silent for kPatience, or as soon as the one who asked stops waiting; every later wait
// on the connection then gives up at once.
//
// Only the functions that take this connection's Http() may be called with it: any call given
// no connection falls back to libcups's own, unbounded one.
class CupsConnection {
 public:
  static constexpr std::chrono::seconds kPatience{8};

  // Connects at once; `abandoned` is set by the one who asked when it no longer waits.
  explicit CupsConnection(const std::atomic<bool>& abandoned);
  ~CupsConnection();
  CupsConnection(const CupsConnection&) = delete;
  CupsConnection& operator=(const CupsConnection&) = delete;

  // Null when the server cannot be reached at all.
  http_t* Http() const { return http_; }
  // Whether a wait gave up: what the server said since, if anything, is not its answer.
  bool GaveUp() const { return gaveUp_; }

 private:
  using Clock = std::chrono::steady_clock;
  static int KeepWaiting(http_t* http, void* self);
  bool KeepWaiting();

  const std::atomic<bool>& abandoned_;
  http_t* http_ = nullptr;
  bool gaveUp_ = false;
  Clock::time_point silentSince_;
  Clock::time_point lastTick_;
};

#include "platform/printers/CupsConnection.h"

#include <cups/cups.h>

namespace {

// How often a wait looks at whether to go on.
constexpr std::chrono::milliseconds kTick{100};

}  // namespace

CupsConnection::CupsConnection(const std::atomic<bool>& abandoned) : abandoned_(abandoned) {
  const auto start = Clock::now();
  const int connectMs =
      static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(kPatience).count());
  http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, connectMs,
                       nullptr);
  if (http_ == nullptr) {
    // Refused, or no such host, is a server that is not there; a connection that never comes
    // is one that does not answer.
    gaveUp_ = Clock::now() - start >= kPatience;
    return;
  }
  // libcups calls KeepWaiting after each tick in which the server neither sent nor took a byte.
  httpSetTimeout(http_, std::chrono::duration<double>(kTick).count(), &CupsConnection::KeepWaiting,
                 this);
}

CupsConnection::~CupsConnection() {
  httpClose(http_);
}

int CupsConnection::KeepWaiting(http_t*, void* self) {
  return static_cast<CupsConnection*>(self)->KeepWaiting() ? 1 : 0;
}

bool CupsConnection::KeepWaiting() {
  const Clock::time_point now = Clock::now();
  // Ticks close together are one silence; a longer gap means the server spoke in between.
  if (now - lastTick_ > 3 * kTick) silentSince_ = now - kTick;
  lastTick_ = now;
  if (abandoned_ || now - silentSince_ >= kPatience) gaveUp_ = true;
  return !gaveUp_;
}

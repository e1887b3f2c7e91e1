#include "platform/printers/PrintServerRequest.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/printers/CupsConnection.h"

struct PrintServerRequest::Shared {
  std::atomic<bool> abandoned{false};
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool answered = false;
  std::exception_ptr error;
};

PrintServerRequest::PrintServerRequest(std::function<void(CupsConnection&)> question)
    : shared_(std::make_shared<Shared>()) {
  // The thread holds what it uses, so an abandoned question may outlive its asker.
  std::thread([shared = shared_, question = std::move(question)] {
    std::exception_ptr error;
    bool answered = false;
    {
      CupsConnection server(shared->abandoned);
      try {
        question(server);
      } catch (...) {
        error = std::current_exception();
      }
      answered = !server.GaveUp();
    }
    const std::lock_guard lock(shared->mutex);
    shared->done = true;
    shared->answered = answered;
    shared->error = error;
    shared->finished.notify_all();
  }).detach();
}

PrintServerRequest::~PrintServerRequest() {
  shared_->abandoned = true;
}

bool PrintServerRequest::Wait(const ServerPatience& patience) {
  constexpr std::chrono::milliseconds kStep{15};
  std::unique_lock lock(shared_->mutex);
  while (!shared_->done) {
    auto until = std::chrono::steady_clock::now() + kStep;
    if (patience.Deadline && *patience.Deadline < until) until = *patience.Deadline;
    shared_->finished.wait_until(lock, until, [this] { return shared_->done; });
    if (shared_->done) break;
    if (patience.Deadline && std::chrono::steady_clock::now() >= *patience.Deadline) {
      shared_->abandoned = true;
      return false;
    }
    if (patience.WhileWaiting) {
      lock.unlock();
      patience.WhileWaiting();
      lock.lock();
    }
  }
  if (!shared_->answered) return false;
  if (shared_->error) std::rethrow_exception(shared_->error);
  return true;
}

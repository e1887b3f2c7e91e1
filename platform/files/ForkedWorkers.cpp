#include "platform/files/ForkedWorkers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <new>

#include "platform/PlatformError.h"

namespace {

constexpr int kIdleMilliseconds = 100;

bool WriteAll(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool ForkedWorkers::CanFork() {
  std::error_code error;
  std::size_t threads = 0;
  for (std::filesystem::directory_iterator task("/proc/self/task", error), end;
       !error && task != end; task.increment(error)) {
    ++threads;
  }
  return !error && threads == 1;
}

ForkedWorkers::ForkedWorkers(int children, int counters, const Work& work) {
  countersBytes_ = sizeof(std::atomic<int>) * static_cast<std::size_t>(std::max(1, counters));
  void* shared =
      mmap(nullptr, countersBytes_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) throw PlatformError("Unable to share memory with worker processes");
  counters_ = static_cast<std::atomic<int>*>(shared);
  for (int i = 0; i < std::max(1, counters); ++i) new (counters_ + i) std::atomic<int>(0);
  // Whatever waits in the output buffers is the parent's to write, once.
  std::fflush(nullptr);
  for (int index = 0; index < children; ++index) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) break;
    const pid_t pid = fork();
    if (pid < 0) {
      close(ends[0]);
      close(ends[1]);
      break;
    }
    if (pid == 0) {
      close(ends[0]);
      for (const Child& sibling : children_) close(sibling.Pipe);
      // A parent that has gone makes a write fail, not end the child unheard.
      signal(SIGPIPE, SIG_IGN);
      const int out = ends[1];
      const Send send = [out](std::string_view message) {
        const auto size = static_cast<std::uint32_t>(message.size());
        return WriteAll(out, reinterpret_cast<const char*>(&size), sizeof size) &&
               WriteAll(out, message.data(), message.size());
      };
      int status = 0;
      try {
        work(index, send, counters_);
      } catch (...) {
        status = 1;
      }
      _exit(status);
    }
    close(ends[1]);
    children_.push_back({pid, ends[0], false});
  }
  if (children_.empty()) {
    munmap(counters_, countersBytes_);
    throw PlatformError("Unable to start worker processes");
  }
}

ForkedWorkers::~ForkedWorkers() {
  for (const Child& child : children_) {
    close(child.Pipe);
    if (child.Ended) continue;
    kill(child.Pid, SIGKILL);
    while (waitpid(child.Pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  munmap(counters_, countersBytes_);
}

std::atomic<int>& ForkedWorkers::Counter(int index) {
  return counters_[index];
}

bool ForkedWorkers::ReadAll(int fd, char* into, std::size_t size,
                            const std::function<void()>& idle) {
  while (size > 0) {
    pollfd ready{fd, POLLIN, 0};
    const int polled = poll(&ready, 1, kIdleMilliseconds);
    if (polled < 0 && errno != EINTR) return false;
    if (polled <= 0) {
      if (idle) idle();
      continue;
    }
    const ssize_t got = read(fd, into, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    into += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

std::optional<std::string> ForkedWorkers::Receive(int child, const std::function<void()>& idle) {
  const int fd = children_.at(static_cast<std::size_t>(child)).Pipe;
  std::uint32_t size = 0;
  if (!ReadAll(fd, reinterpret_cast<char*>(&size), sizeof size, idle)) return std::nullopt;
  std::string message(size, '\0');
  if (!ReadAll(fd, message.data(), size, idle)) return std::nullopt;
  return message;
}

bool ForkedWorkers::AnyRunning() {
  bool running = false;
  for (Child& child : children_) {
    if (!child.Ended) child.Ended = waitpid(child.Pid, nullptr, WNOHANG) == child.Pid;
    running = running || !child.Ended;
  }
  return running;
}

void ForkedWorkers::Interrupt() {
  for (const Child& child : children_) {
    if (!child.Ended) kill(child.Pid, SIGINT);
  }
}

#pragma once

#include <sys/types.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Work done at once in child processes forked from this one, each sending its results back as
// messages through a pipe of its own. A child is a copy of this process, its fonts and settings
// already loaded, that shares no lock with it: the toolkit holds one lock while it makes any
// font, so threads would take turns there. Children share a few counters with the parent.
class ForkedWorkers {
 public:
  // Sends a message to the parent; false when the parent has gone.
  using Send = std::function<bool(std::string_view message)>;
  // The work of the child of that index, from 0, with the shared counters. It ends with the
  // child's exit: the child never returns into the caller, nor runs what the parent's destructors
  // would undo.
  using Work = std::function<void(int child, const Send& send, std::atomic<int>* counters)>;

  // Whether children can be forked safely: this process runs one thread only, so no lock can be
  // held by a thread the child would not have.
  static bool CanFork();

  // Forks the children; counters are shared by all of them and the parent, from 0. Throws
  // PlatformError when not one child could be made.
  ForkedWorkers(int children, int counters, const Work& work);
  // Stops and reaps the children still running.
  ~ForkedWorkers();
  ForkedWorkers(const ForkedWorkers&) = delete;
  ForkedWorkers& operator=(const ForkedWorkers&) = delete;

  int Children() const { return static_cast<int>(children_.size()); }
  std::atomic<int>& Counter(int index);

  // The child's next message, waiting for it; idle is called about ten times a second while
  // it waits. nullopt once the child has ended (its work done, or killed) with nothing more.
  std::optional<std::string> Receive(int child, const std::function<void()>& idle);

  // Whether any child has not ended yet.
  bool AnyRunning();

  // Asks every child to stop, as an interrupt from the terminal does.
  void Interrupt();

 private:
  struct Child {
    pid_t Pid = -1;
    int Pipe = -1;
    bool Ended = false;
  };

  bool ReadAll(int fd, char* into, std::size_t size, const std::function<void()>& idle);

  std::vector<Child> children_;
  std::atomic<int>* counters_ = nullptr;
  std::size_t countersBytes_ = 0;
};

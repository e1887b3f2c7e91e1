#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class CupsConnection;

// How long a caller waits for the print server's answer, and what it does meanwhile.
struct ServerPatience {
  // When the caller stops waiting; none: until the connection itself gives up, which a silent
  // server makes it do after CupsConnection::kPatience.
  std::optional<std::chrono::steady_clock::time_point> Deadline;
  // Run every few milliseconds while the answer is awaited (dispatching window messages, say).
  std::function<void()> WhileWaiting;
};

// A question to the print server, asked on a thread of its own over a CupsConnection from the
// moment it is made, so that whoever waits for the answer decides how long, and can keep the
// window alive meanwhile. A question nobody waits for any longer is abandoned: its connection
// gives up at its next wait and its thread ends by itself, so it must hold all it uses.
class PrintServerRequest {
 public:
  explicit PrintServerRequest(std::function<void(CupsConnection&)> question);
  ~PrintServerRequest();
  PrintServerRequest(const PrintServerRequest&) = delete;
  PrintServerRequest& operator=(const PrintServerRequest&) = delete;

  // Waits for the answer. True when the server answered; then what the question threw is thrown
  // here. False when it did not answer: its connection gave up, or the deadline passed.
  bool Wait(const ServerPatience& patience);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

// Asks the question and waits for its answer with the patience; nothing when the server does not
// answer.
template <class Answer>
std::optional<Answer> AskPrintServer(std::function<Answer(CupsConnection&)> question,
                                     const ServerPatience& patience) {
  auto answer = std::make_shared<std::optional<Answer>>();
  PrintServerRequest request([question = std::move(question), answer](CupsConnection& server) {
    *answer = question(server);
  });
  if (!request.Wait(patience)) return std::nullopt;
  return std::move(*answer);
}

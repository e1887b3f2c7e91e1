#pragma once

#include <exception>
#include <functional>
#include <string>

class IMessageBoxes;

// Runs event handlers so that no error escapes them: an error is shown in an error box titled
// with the application's title, the rest of that handler is skipped, and the program goes on.
class ApplicationErrorHandler {
 public:
  explicit ApplicationErrorHandler(IMessageBoxes& messages);

  void SetTitle(std::string title) { title_ = std::move(title); }
  const std::string& Title() const { return title_; }

  // Runs the handler; returns false when it raised an error, which has then been shown.
  bool Run(const std::function<void()>& handler) noexcept;

  // Shows the current exception (call from a catch block).
  void ReportCurrent() noexcept;

 private:
  void Show(const std::string& text) noexcept;

  IMessageBoxes& messages_;
  std::string title_;
};

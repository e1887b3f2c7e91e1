#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/desktop/IHelp.h"

class QTextBrowser;
class QUrl;
class QWidget;

// The help engine: a window of its own that shows the help file, an HTML page, from its top.
// The window is made on first use, has no parent and is reused for every later request.
class HelpWindow final : public IHelp {
 public:
  // Reports a help file that cannot be shown; by default an error message box.
  using ErrorReporter = std::function<void(const std::string& title, const std::string& text)>;

  explicit HelpWindow(ErrorReporter reportError = {});
  ~HelpWindow() override;
  HelpWindow(const HelpWindow&) = delete;
  HelpWindow& operator=(const HelpWindow&) = delete;

  // Reads the file afresh, shows it from its top and brings the window to the front. A file that
  // cannot be read is reported here ("Cannot open the help file <path>.") and no window is shown.
  void ShowContents(const std::string& helpFile) override;

  // For tests: null until the window has been shown once.
  QWidget* Window() const { return window_.get(); }
  QTextBrowser* Browser() const { return browser_; }

 private:
  void CreateWindow();
  void FollowLink(const QUrl& link);

  ErrorReporter reportError_;
  std::unique_ptr<QWidget> window_;
  QTextBrowser* browser_ = nullptr;  // owned by window_
};

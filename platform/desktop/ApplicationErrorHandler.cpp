#include "platform/desktop/ApplicationErrorHandler.h"

#include <cstdio>

#include "platform/desktop/IMessageBoxes.h"
#include "platform/text/ErrorText.h"

ApplicationErrorHandler::ApplicationErrorHandler(IMessageBoxes& messages) : messages_(messages) {}

bool ApplicationErrorHandler::Run(const std::function<void()>& handler) noexcept {
  try {
    handler();
    return true;
  } catch (...) {
    ReportCurrent();
    return false;
  }
}

void ApplicationErrorHandler::ReportCurrent() noexcept {
  try {
    throw;
  } catch (const std::exception& error) {
    Show(error.what());
  } catch (...) {
    Show("Unknown error");
  }
}

void ApplicationErrorHandler::Show(const std::string& text) noexcept {
  try {
    messages_.Show(MessageKind::Error, title_, WithFullStop(text));
  } catch (...) {
    // The box itself failed: there is nowhere left to show it, so keep the program alive.
    std::fputs(text.c_str(), stderr);
    std::fputc('\n', stderr);
  }
}

#pragma once

#include <stdexcept>
#include <string>

// The one error type of the platform layer. Its message is the text shown to the user by the
// application's error handler.
class PlatformError : public std::runtime_error {
 public:
  explicit PlatformError(const std::string& message) : std::runtime_error(message) {}
};

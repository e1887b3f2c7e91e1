#include "platform/text/ErrorText.h"

std::string WithFullStop(const std::string& text) {
  if (text.empty()) return text;
  const auto last = static_cast<unsigned char>(text.back());
  return last > static_cast<unsigned char>('.') ? text + "." : text;
}

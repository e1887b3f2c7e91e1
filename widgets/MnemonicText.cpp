#include "widgets/MnemonicText.h"

std::string StripMnemonics(const std::string& caption) {
  std::string shown;
  shown.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        shown += '&';
        ++i;
      }
      continue;
    }
    shown += caption[i];
  }
  return shown;
}

char MnemonicLetter(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    const char next = caption[i + 1];
    if (next == '&') {
      ++i;
      continue;
    }
    if (next >= 'a' && next <= 'z') return static_cast<char>(next - 'a' + 'A');
    const bool upperOrDigit = (next >= 'A' && next <= 'Z') || (next >= '0' && next <= '9');
    return upperOrDigit ? next : '\0';
  }
  return '\0';
}

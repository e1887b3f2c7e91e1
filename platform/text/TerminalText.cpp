#include "platform/text/TerminalText.h"

#include <cstdio>

namespace {

// The length of the UTF-8 sequence that starts at `at`: 0 when it is none (a stray byte, a
// sequence cut short or too long for its character).
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const std::size_t length = lead < 0xC2   ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  // Overlong forms, surrogates and code points past U+10FFFF.
  const unsigned char second = byte(at + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
    return 0;
  }
  return length;
}

void AppendEscape(std::string& out, const char* format, unsigned value) {
  char escape[8];
  std::snprintf(escape, sizeof escape, format, value);
  out += escape;
}

}  // namespace

std::string TerminalText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte >= 0x20 && byte < 0x7F) {
      out += text[at++];
      continue;
    }
    if (byte == '\n' || byte == '\t' || byte == '\r') {
      out += byte == '\n' ? "\\n" : byte == '\t' ? "\\t" : "\\r";
      ++at;
      continue;
    }
    const std::size_t length = byte < 0x80 ? 0 : SequenceLength(text, at);
    if (length == 0) {
      AppendEscape(out, "\\x%02x", byte);
      ++at;
    } else if (byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
      AppendEscape(out, "\\u%04x", static_cast<unsigned char>(text[at + 1]));
      at += length;
    } else {
      out.append(text.substr(at, length));
      at += length;
    }
  }
  return out;
}

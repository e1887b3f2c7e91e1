#pragma once

#include <string>
#include <string_view>

// Text for a terminal with its control characters shown, not obeyed: a file or font name may
// hold escape sequences that would set the terminal's title, move its cursor or clear it. The
// C0 controls, DEL and the C1 controls (in UTF-8, and a lone byte that is no UTF-8, which a
// terminal of another encoding may take for one) become "\x1b", "\u009b", "\xff"; "\n", "\t"
// and "\r" keep their usual escapes. Every other character is kept as it is.
std::string TerminalText(std::string_view text);

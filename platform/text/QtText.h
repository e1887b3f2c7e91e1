#pragma once

#include <QString>
#include <string>

// The program's texts are UTF-8 std::strings; Qt's are QStrings.
inline QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}
inline std::string ToStdString(const QString& text) {
  return text.toStdString();
}

// "\r\n" and a lone "\r" are the program's line breaks; Qt's text controls break at "\n".
QString ToDisplayLines(const std::string& text);
// The opposite: every line break of a control's text as "\r\n".
std::string FromDisplayLines(const QString& text);

#include "platform/text/QtText.h"

QString ToDisplayLines(const std::string& text) {
  QString shown = ToQString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

std::string FromDisplayLines(const QString& text) {
  QString lines = text;
  lines.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToStdString(lines);
}

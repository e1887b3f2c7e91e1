#include "platform/text/TextCompare.h"

#include <QCollator>
#include <algorithm>

namespace {

const QCollator& Collator() {
  static const QCollator collator = [] {
    QCollator c;
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return collator;
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
  return CompareText(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
                     QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())));
}

int CompareText(const QString& a, const QString& b) {
  const int order = Collator().compare(a, b);
  if (order != 0) return order;
  // The collator may call different texts equal (accents at a weak level); only a difference of
  // case is meant to vanish.
  return QString::compare(a, b, Qt::CaseInsensitive);
}

std::string FoldCase(std::string_view text) {
  // Most names are ASCII, whose folding is lowering A-Z: thousands of names are folded at start.
  if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
    std::string folded(text);
    for (char& c : folded) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
  }
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
      .toCaseFolded()
      .toStdString();
}

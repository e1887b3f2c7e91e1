#include "platform/text/TextCompare.h"

#include <QCollator>
#include <algorithm>
#include <numeric>
#include <optional>

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

namespace {

bool IsAscii(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Lowering A-Z, which is the whole of case folding for ASCII.
std::string FoldedAscii(const QString& text) {
  std::string folded = text.toStdString();
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

}  // namespace

std::vector<std::size_t> TextOrder(const std::vector<QString>& texts) {
  std::vector<std::size_t> order(texts.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const QCollator& collator = Collator();
  if (collator.locale().language() == QLocale::C) {
    // The C locale's collation compares the case-folded characters: for two ASCII texts, the
    // byte order of their lowered forms. Other pairs are compared as they are.
    std::vector<std::optional<std::string>> keys;
    keys.reserve(texts.size());
    for (const QString& text : texts) {
      keys.push_back(IsAscii(text) ? std::optional(FoldedAscii(text)) : std::nullopt);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      if (keys[a] && keys[b]) return *keys[a] < *keys[b];
      return CompareText(texts[a], texts[b]) < 0;
    });
    return order;
  }
  // A collator's sort keys compare as the collator compares their texts.
  std::vector<QCollatorSortKey> keys;
  keys.reserve(texts.size());
  for (const QString& text : texts) keys.push_back(collator.sortKey(text));
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int collated = keys[a].compare(keys[b]);
    if (collated != 0) return collated < 0;
    return QString::compare(texts[a], texts[b], Qt::CaseInsensitive) < 0;
  });
  return order;
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

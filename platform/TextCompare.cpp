#include "platform/TextCompare.h"

#include <QCollator>
#include <QString>

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
  const QString qa = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
  const QString qb = QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size()));
  const int order = Collator().compare(qa, qb);
  if (order != 0) return order;
  // The collator may call different texts equal (accents at a weak level); only a difference of
  // case is meant to vanish.
  return QString::compare(qa, qb, Qt::CaseInsensitive);
}

std::string FoldCase(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
      .toCaseFolded()
      .toStdString();
}

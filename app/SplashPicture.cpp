#include "app/SplashPicture.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <array>

#include "app/DesignFonts.h"

namespace {

constexpr int kWidth = 454;
constexpr int kHeight = 112;
constexpr int kLetterPixels = 64;

struct Letter {
  char ch;
  const char* family;
  bool bold;
  bool italic;
  QColor color;
};

const std::array<Letter, 8>& Letters() {
  static const std::array<Letter, 8> letters = {{
      {'G', "DejaVu Serif", true, false, QColor(0xC0, 0x00, 0x00)},
      {'l', "Liberation Mono", false, false, QColor(0x00, 0x00, 0x80)},
      {'y', "DejaVu Sans", true, true, QColor(0x00, 0x80, 0x00)},
      {'p', "Liberation Serif", false, true, QColor(0x80, 0x00, 0x80)},
      {'h', "DejaVu Sans Mono", true, false, QColor(0x00, 0x60, 0xA0)},
      {'e', "Liberation Sans", false, false, QColor(0xD0, 0x50, 0x00)},
      {'r', "DejaVu Serif", false, true, QColor(0x00, 0x00, 0x00)},
      {'a', "Liberation Sans", true, false, QColor(0xB0, 0x00, 0x60)},
  }};
  return letters;
}

QFont LetterFont(const Letter& letter) {
  QFont font;
  font.setFamily(
      FirstInstalledFamily({QString::fromUtf8(letter.family), QStringLiteral("Sans Serif")}));
  font.setPixelSize(kLetterPixels);
  font.setBold(letter.bold);
  font.setItalic(letter.italic);
  return font;
}

}  // namespace

QImage DrawSplashPicture() {
  QImage picture(kWidth, kHeight, QImage::Format_RGB32);
  picture.fill(DesignColors::Yellow);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::TextAntialiasing);

  int total = 0;
  for (const Letter& letter : Letters()) {
    total += QFontMetrics(LetterFont(letter)).horizontalAdvance(QLatin1Char(letter.ch));
  }
  int x = (kWidth - total) / 2;
  const int baseline = kHeight * 3 / 4;
  for (const Letter& letter : Letters()) {
    const QFont font = LetterFont(letter);
    painter.setFont(font);
    painter.setPen(letter.color);
    painter.drawText(x, baseline, QString(QLatin1Char(letter.ch)));
    x += QFontMetrics(font).horizontalAdvance(QLatin1Char(letter.ch));
  }
  painter.setPen(QPen(DesignColors::Navy, 2));
  painter.drawLine(x - total, baseline + 10, x, baseline + 10);
  return picture;
}

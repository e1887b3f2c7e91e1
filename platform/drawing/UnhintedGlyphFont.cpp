#include "platform/drawing/UnhintedGlyphFont.h"

#include <QFont>
#include <QFontDatabase>
#include <functional>
#include <string_view>

#include "platform/fonts/UnhintedSfnt.h"

namespace {

// A family name no installed face has, the same for the same face in every run: the embedded
// font keeps it, and the same pages must give the same bytes.
QString CopyFamily(const std::string& sfnt) {
  const std::size_t hash = std::hash<std::string_view>{}(sfnt);
  return QStringLiteral("Glyphera unhinted %1")
      .arg(static_cast<qulonglong>(hash), 16, 16, QLatin1Char('0'));
}

// Past this many families, reading the database again costs more than the instructions of a
// book of charts: about 0.01 ms a family each time, against some 50 ms for a hinted face.
constexpr qsizetype kMostFamilies = 3000;

}  // namespace

bool UnhintedGlyphFont::WorthMaking(const std::string& sfnt) {
  return UnhintedSfnt::HasHinting(sfnt) && QFontDatabase::families().size() <= kMostFamilies;
}

UnhintedGlyphFont::UnhintedGlyphFont(const std::string& sfnt) : family_(CopyFamily(sfnt)) {
  const std::optional<std::string> copy = UnhintedSfnt::Make(sfnt, family_.toStdString());
  if (!copy) return;
  id_ = QFontDatabase::addApplicationFontFromData(
      QByteArray(copy->data(), static_cast<qsizetype>(copy->size())));
}

UnhintedGlyphFont::~UnhintedGlyphFont() {
  if (id_ >= 0) QFontDatabase::removeApplicationFont(id_);
}

QRawFont UnhintedGlyphFont::At(int pixels) const {
  if (id_ < 0) return {};
  QFont font(family_);
  font.setStyleStrategy(QFont::NoFontMerging);
  font.setPixelSize(pixels);
  font.setHintingPreference(QFont::PreferNoHinting);
  QRawFont raw = QRawFont::fromFont(font);
  // Never another face in its place.
  if (!raw.isValid() || raw.familyName() != family_) return {};
  return raw;
}

#include "platform/fonts/BitmapStrikeRegistration.h"

#include <QtGui/private/qfontdatabase_p.h>
#include <QtGui/private/qfreetypefontdatabase_p.h>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformfontdatabase.h>
#include <qpa/qplatformintegration.h>
#include <QGuiApplication>
#include <QPointer>
#include <map>
#include <utility>
#include <vector>

#include "platform/fonts/BitmapStrike.h"

namespace {

// A strike to add to a style the toolkit lists, with everything that style was registered with.
struct MissingStrike {
  QString Family;
  QString Style;
  QString Foundry;
  QtFontStyle::Key Key;
  bool Antialiased = false;
  bool FixedPitch = false;
  QSupportedWritingSystems WritingSystems;
  FontFile File;
  int PixelSize = 0;
};

// A file's strikes are read once: a desktop has hundreds of bitmap faces, and the database
// changes with every font the program adds or removes.
const std::vector<int>& StrikesOf(const FontFile& file) {
  static std::map<std::pair<QString, int>, std::vector<int>> strikes;
  const std::pair<QString, int> key{file.fileName, file.indexValue};
  auto found = strikes.find(key);
  if (found == strikes.end()) {
    found = strikes.emplace(key, BitmapStrike::Sizes(file.fileName.toStdString(), file.indexValue))
                .first;
  }
  return found->second;
}

void AddMissingStrikes(const QtFontFamily& family, const QtFontFoundry& foundry, QtFontStyle& style,
                       std::vector<MissingStrike>& missing) {
  if (style.smoothScalable || style.count < 1 || style.pixelSizes[0].handle == nullptr) return;
  // The fontconfig database's handles are the face's file and index.
  const FontFile& file = *static_cast<const FontFile*>(style.pixelSizes[0].handle);
  for (const int size : StrikesOf(file)) {
    if (size <= 0 || style.pixelSize(static_cast<unsigned short>(size)) != nullptr) continue;
    QSupportedWritingSystems systems;
    for (int i = 0; i < QFontDatabase::WritingSystemsCount; ++i) {
      if (family.writingSystems[i] & QtFontFamily::Supported) {
        systems.setSupported(static_cast<QFontDatabase::WritingSystem>(i));
      }
    }
    missing.push_back({family.name, style.styleName, foundry.name, style.key, style.antialiased,
                       family.fixedPitch, systems, file, size});
  }
}

void RegisterMissingStrikes() {
  QFontDatabasePrivate* database = QFontDatabasePrivate::ensureFontDatabase();
  // Collected first: registering reallocates the lists walked here.
  std::vector<MissingStrike> missing;
  for (int f = 0; f < database->count; ++f) {
    const QtFontFamily& family = *database->families[f];
    for (int n = 0; n < family.count; ++n) {
      const QtFontFoundry& foundry = *family.foundries[n];
      for (int s = 0; s < foundry.count; ++s) {
        AddMissingStrikes(family, foundry, *foundry.styles[s], missing);
      }
    }
  }
  for (const MissingStrike& strike : missing) {
    // The database owns the handle and gives it back to the platform database to free.
    QPlatformFontDatabase::registerFont(
        strike.Family, strike.Style, strike.Foundry, static_cast<QFont::Weight>(strike.Key.weight),
        static_cast<QFont::Style>(strike.Key.style),
        static_cast<QFont::Stretch>(strike.Key.stretch), strike.Antialiased, false,
        strike.PixelSize, strike.FixedPitch, strike.WritingSystems, new FontFile(strike.File));
  }
}

}  // namespace

void KeepBitmapStrikesRegistered() {
  static QPointer<QGuiApplication> registeredFor;
  if (qGuiApp == nullptr || registeredFor == qGuiApp) return;
  // Only a FreeType-based database (fontconfig's is one) keeps faces as file and index.
  if (dynamic_cast<QFreeTypeFontDatabase*>(
          QGuiApplicationPrivate::platformIntegration()->fontDatabase()) == nullptr) {
    return;
  }
  registeredFor = qGuiApp;
  RegisterMissingStrikes();
  // The toolkit rebuilds its database from fontconfig when fonts change, and announces it.
  QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] {
    if (!QCoreApplication::closingDown()) RegisterMissingStrikes();
  });
}

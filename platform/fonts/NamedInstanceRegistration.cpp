#include "platform/fonts/NamedInstanceRegistration.h"

#include <QtGui/private/qfontdatabase_p.h>
#include <QtGui/private/qfreetypefontdatabase_p.h>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformfontdatabase.h>
#include <qpa/qplatformintegration.h>
#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include <fontconfig/fontconfig.h>

#include "platform/text/QtText.h"

namespace {

// The toolkit's weight for fontconfig's, as its fontconfig database weighs every face it lists:
// the named weights of one scale on those of the other, straight lines between them. So an
// instance weighs what the same face installed would.
int ToolkitWeight(int fontconfigWeight) {
  static constexpr std::array<std::pair<int, int>, 10> kNamed = {
      {{FC_WEIGHT_THIN, QFont::Thin},
       {FC_WEIGHT_EXTRALIGHT, QFont::ExtraLight},
       {FC_WEIGHT_LIGHT, QFont::Light},
       {FC_WEIGHT_REGULAR, QFont::Normal},
       {FC_WEIGHT_MEDIUM, QFont::Medium},
       {FC_WEIGHT_DEMIBOLD, QFont::DemiBold},
       {FC_WEIGHT_BOLD, QFont::Bold},
       {FC_WEIGHT_EXTRABOLD, QFont::ExtraBold},
       {FC_WEIGHT_BLACK, QFont::Black},
       {FC_WEIGHT_EXTRABLACK, 1000}}};
  if (fontconfigWeight <= kNamed.front().first) return kNamed.front().second;
  for (std::size_t i = 1; i < kNamed.size(); ++i) {
    const auto [fcUpper, qtUpper] = kNamed[i];
    if (fontconfigWeight > fcUpper) continue;
    const auto [fcLower, qtLower] = kNamed[i - 1];
    return qtLower + (fontconfigWeight - fcLower) * (qtUpper - qtLower) / (fcUpper - fcLower);
  }
  return kNamed.back().second;
}

QFont::Style ToolkitStyle(int slant) {
  if (slant == FC_SLANT_ITALIC) return QFont::StyleItalic;
  return slant == FC_SLANT_OBLIQUE ? QFont::StyleOblique : QFont::StyleNormal;
}

// What an instance shares with the font's default face as the toolkit registered it from the
// same file: the foundry, the writing systems and the rendering.
struct SharedRegistration {
  QString Foundry;
  bool Antialiased = true;
  bool FixedPitch = false;
  QSupportedWritingSystems WritingSystems;
};

// The fontconfig database keeps each face it registered as its file and index. Nothing when
// the instance is registered from the file already, or the file's face is not registered under
// the instance's family (then the toolkit could not draw it either).
std::optional<SharedRegistration> ToRegister(const QtFontFamily& family, const QString& file,
                                             int index) {
  std::optional<SharedRegistration> shared;
  for (int n = 0; n < family.count; ++n) {
    const QtFontFoundry& foundry = *family.foundries[n];
    for (int s = 0; s < foundry.count; ++s) {
      const QtFontStyle& style = *foundry.styles[s];
      if (style.count < 1 || style.pixelSizes[0].handle == nullptr) continue;
      const FontFile& face = *static_cast<const FontFile*>(style.pixelSizes[0].handle);
      if (face.fileName != file) continue;
      if (face.indexValue == index) return std::nullopt;
      if ((face.indexValue & 0xFFFF) != (index & 0xFFFF) || shared) continue;
      shared = SharedRegistration{foundry.name, style.antialiased, family.fixedPitch, {}};
      for (int i = 0; i < QFontDatabase::WritingSystemsCount; ++i) {
        if (family.writingSystems[i] & QtFontFamily::Supported) {
          shared->WritingSystems.setSupported(static_cast<QFontDatabase::WritingSystem>(i));
        }
      }
    }
  }
  return shared;
}

void Register(const QString& file, const AddedFaces::NamedInstance& instance) {
  const QString familyName = ToQString(instance.Family);
  const QtFontFamily* family = QFontDatabasePrivate::ensureFontDatabase()->family(
      familyName, QFontDatabasePrivate::RequestFamily);
  if (family == nullptr) return;
  const std::optional<SharedRegistration> shared = ToRegister(*family, file, instance.Index);
  if (!shared) return;
  // The database owns the handle and gives it back to the platform database to free. A style
  // of the same name from this file (the default face, for the Regular instance) is replaced.
  QPlatformFontDatabase::registerFont(
      familyName, ToQString(instance.Style), shared->Foundry,
      static_cast<QFont::Weight>(ToolkitWeight(instance.Weight)), ToolkitStyle(instance.Slant),
      static_cast<QFont::Stretch>(std::clamp(instance.Width, 1, 4000)), shared->Antialiased, true,
      0, shared->FixedPitch, shared->WritingSystems, new FontFile{file, instance.Index});
}

// Only a FreeType-based database (fontconfig's is one) keeps faces as file and index.
bool ToolkitDrawsFromFiles() {
  return qGuiApp != nullptr &&
         dynamic_cast<QFreeTypeFontDatabase*>(
             QGuiApplicationPrivate::platformIntegration()->fontDatabase()) != nullptr;
}

}  // namespace

NamedInstanceRegistration::NamedInstanceRegistration() = default;

NamedInstanceRegistration::~NamedInstanceRegistration() = default;

void NamedInstanceRegistration::Add(const std::string& toolkitFile,
                                    std::vector<AddedFaces::NamedInstance> instances) {
  if (instances.empty() || !ToolkitDrawsFromFiles()) return;
  Watch();
  const auto& added = files_[toolkitFile] = std::move(instances);
  for (const AddedFaces::NamedInstance& instance : added)
    Register(ToQString(toolkitFile), instance);
}

void NamedInstanceRegistration::Remove(const std::string& toolkitFile) {
  files_.erase(toolkitFile);
}

void NamedInstanceRegistration::Across(const std::function<void()>& changes) {
  ++across_;
  try {
    changes();
  } catch (...) {
    --across_;
    throw;
  }
  if (--across_ > 0 || !rebuiltMeanwhile_) return;
  rebuiltMeanwhile_ = false;
  RegisterAll();
}

// The toolkit announces every rebuild of its database, and rebuilds it from fontconfig at the
// next question; the instances are registered again at once, before anything is drawn.
void NamedInstanceRegistration::Watch() {
  if (watched_ == qGuiApp) return;
  watched_ = qGuiApp;
  watcher_ = std::make_unique<QObject>();
  QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, watcher_.get(),
                   [this] { Rebuilt(); });
}

void NamedInstanceRegistration::Rebuilt() {
  // Another listener may have rebuilt the database already, so whether it was rebuilt cannot be
  // told; the instances still registered are passed over.
  if (files_.empty() || QCoreApplication::closingDown()) return;
  if (across_ > 0) {
    rebuiltMeanwhile_ = true;
    return;
  }
  RegisterAll();
}

void NamedInstanceRegistration::RegisterAll() const {
  if (files_.empty() || !ToolkitDrawsFromFiles()) return;
  for (const auto& [file, instances] : files_) {
    for (const AddedFaces::NamedInstance& instance : instances) Register(ToQString(file), instance);
  }
}

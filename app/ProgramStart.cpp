#include "app/ProgramStart.h"

#include <QApplication>
#include <QFontDatabase>

#include "app/TfrmAbout.h"
#include "app/TfrmMain.h"
#include "app/TfrmSplash.h"
#include "platform/ApplicationErrorHandler.h"
#include "platform/ConfiguredFamilies.h"
#include "platform/FontconfigListing.h"
#include "platform/IScreen.h"
#include "platform/QtText.h"
#include "widgets/DesignScale.h"

namespace {

constexpr const char* kApplicationTitle = "Glyphera";

// The toolkit's default family may be an alias ("Sans Serif") or a font that is not installed.
// Named as the first installed family fontconfig's configuration puts in its place, the first
// text laid out in it does not make the toolkit rank every installed family against every
// other, which with thousands of families would take a fifth of a second. Only the
// configuration is asked: matching the name against every installed font would cost as much.
void UseInstalledDefaultFamily() {
  // One family at a time: the toolkit's list of every family first loads each family's styles.
  QFont font = QApplication::font();
  if (QFontDatabase::hasFamily(font.family())) return;
  for (const std::string& family : ConfiguredFamilies(ToStdString(font.family()))) {
    if (QFontDatabase::hasFamily(ToQString(family))) {
      font.setFamily(ToQString(family));
      QApplication::setFont(font);
      return;
    }
  }
  const std::string family = SubstituteFamily(ToStdString(font.family()));
  if (family.empty()) return;
  font.setFamily(ToQString(family));
  QApplication::setFont(font);
}

}  // namespace

ProgramStart::ProgramStart(const PlatformServices& services, ApplicationErrorHandler& errors) {
  UseInstalledDefaultFamily();
  const DesignScale scale(services.Screen.LogicalDpi());
  auto splash = std::make_unique<TfrmSplash>(scale);
  splash->show();
  splash->repaint();
  // Only the splash window's own painting is let through; no input is taken before the loop.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  errors.SetTitle(kApplicationTitle);

  frmMain_ = std::make_unique<TfrmMain>(services, errors);
  frmMain_->SetSplash(std::move(splash));
  frmAbout_ = std::make_unique<TfrmAbout>(scale, frmMain_.get());
  frmMain_->SetAboutBox(frmAbout_.get());
}

ProgramStart::~ProgramStart() = default;

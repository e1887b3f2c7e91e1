#include "app/ProgramStart.h"

#include <QApplication>

#include "app/TfrmAbout.h"
#include "app/TfrmMain.h"
#include "app/TfrmSplash.h"
#include "platform/desktop/ApplicationErrorHandler.h"
#include "platform/desktop/IScreen.h"
#include "platform/fonts/FontconfigListing.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"

namespace {

constexpr const char* kApplicationTitle = "Glyphera";

// The toolkit's default family may be an alias ("Sans Serif") or a font that is not installed.
// Any widget made in it would make the toolkit rank every installed family against every other
// for a stand-in, which with thousands of families takes a fifth of a second; it is made in the
// installed family the windows' own fonts are drawn in instead.
void UseInstalledDefaultFamily() {
  QFont font = QApplication::font();
  if (IsInstalledFamily(font.family().toStdString())) return;
  font.setFamily(DesignFamily());
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

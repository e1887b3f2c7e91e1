#include "app/ProgramStart.h"

#include <QApplication>

#include "app/DesignScale.h"
#include "app/TfrmAbout.h"
#include "app/TfrmMain.h"
#include "app/TfrmSplash.h"
#include "platform/ApplicationErrorHandler.h"
#include "platform/IScreen.h"

namespace {

constexpr const char* kApplicationTitle = "Glyphera";

}  // namespace

ProgramStart::ProgramStart(const PlatformServices& services, ApplicationErrorHandler& errors) {
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

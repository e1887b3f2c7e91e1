#pragma once

#include <memory>

#include "platform/PlatformServices.h"

class ApplicationErrorHandler;
class TfrmAbout;
class TfrmMain;

// Starts the program: the splash window, the application's title, the main window and the
// dialogs, all created once. Showing the main window (the start of the message loop) follows.
class ProgramStart {
 public:
  ProgramStart(const PlatformServices& services, ApplicationErrorHandler& errors);
  ~ProgramStart();

  TfrmMain& frmMain() const { return *frmMain_; }
  TfrmAbout& frmAbout() const { return *frmAbout_; }

 private:
  std::unique_ptr<TfrmMain> frmMain_;
  std::unique_ptr<TfrmAbout> frmAbout_;
};

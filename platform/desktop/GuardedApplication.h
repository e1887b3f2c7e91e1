#pragma once

#include <QApplication>

class ApplicationErrorHandler;

// The application object: an error that escapes an event handler is shown by the application's
// error handler instead of crossing the event loop.
class GuardedApplication : public QApplication {
  Q_OBJECT
 public:
  GuardedApplication(int& argc, char** argv);
  void SetErrorHandler(ApplicationErrorHandler* handler) { handler_ = handler; }
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  ApplicationErrorHandler* handler_ = nullptr;
};

#pragma once

#include <QMainWindow>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>

#include "app/PageRules.h"
#include "platform/PlatformServices.h"

class ApplicationErrorHandler;
class DesignScale;
class EditSamplePage;
class FontMapPage;
class LargeSamplePage;
class MainPage;
class MainWindowParts;
class PreviewInstallPage;
class QAction;
class QDialog;
class QMenu;
class QTabWidget;
class ShowAllPage;

// The main window: its menu, its six pages, its start-up, its close, its key preview and its page
// changes. The classes behind the pages are its parts (MainWindowParts).
class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  TfrmMain(const PlatformServices& services, ApplicationErrorHandler& errors);
  ~TfrmMain() override;

  void FormShow();
  // Fills the sample texts from the settings file, created with the defaults when missing.
  void LoadSampleTexts();
  void FormClose();
  // Takes a Qt key; acts on the Show All Selected page only, and never consumes the key.
  void FormKeyDown(int key);
  // Runs as the Preview/Install page is left.
  void PageControl1Changing();
  void PageControl1Change();
  void Exit1Click();
  void UsingGlyphera1Click();
  void About1Click();

  // The splash window, destroyed when this window is first shown.
  void SetSplash(std::unique_ptr<QWidget> splash);
  void SetAboutBox(QDialog* about) { frmAbout_ = about; }

  Page ActivePage() const;
  QTabWidget* PageControl1() const { return PageControl1_; }
  MainPage& tabMain() const { return *tabMain_; }
  LargeSamplePage& tabLargeSample() const { return *tabLargeSample_; }
  FontMapPage& tabFontMap() const { return *tabFontMap_; }
  ShowAllPage& tabShowAll() const { return *tabShowAll_; }
  EditSamplePage& tabEdit() const { return *tabEdit_; }
  PreviewInstallPage& tabInstall() const { return *tabInstall_; }
  MainWindowParts& Parts() const { return *parts_; }
  QMenu* FileMenu() const { return File2_; }
  QMenu* HelpMenu() const { return Help1_; }

  const std::string& ProgramDir() const { return programDir_; }
  const std::string& HelpFile() const { return helpFile_; }
  int PageStep() const { return pageStep_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void CreatePages(const DesignScale& scale);
  void FitTabsToCaptions(const DesignScale& scale);
  void CreateMenu();
  void ConnectHandlers();
  void SetActivePageQuietly(Page page);
  // Puts the window at a place in the screen's own pixels.
  void Place(const QPoint& place);
  void ChangePageByUser(Page page);
  // Wraps a handler so that an error it raises is shown and the program goes on.
  std::function<void()> Guarded(std::function<void()> handler);

  PlatformServices services_;
  ApplicationErrorHandler& errors_;
  QTabWidget* PageControl1_ = nullptr;
  std::unique_ptr<MainPage> tabMain_;
  std::unique_ptr<LargeSamplePage> tabLargeSample_;
  std::unique_ptr<FontMapPage> tabFontMap_;
  std::unique_ptr<ShowAllPage> tabShowAll_;
  std::unique_ptr<EditSamplePage> tabEdit_;
  std::unique_ptr<PreviewInstallPage> tabInstall_;
  std::unique_ptr<MainWindowParts> parts_;
  // The page that was active before the last change, to know when the Preview/Install page is left.
  Page shownPage_ = Page::Main;
  QMenu* File2_ = nullptr;
  QAction* Exit1_ = nullptr;
  QMenu* Help1_ = nullptr;
  QAction* UsingGlyphera1_ = nullptr;
  QAction* About1_ = nullptr;
  QDialog* frmAbout_ = nullptr;
  std::unique_ptr<QWidget> frmSplash_;

  std::string programDir_;
  std::string helpFile_;
  int pageStep_ = 0;
  QPoint place_;
  bool shown_ = false;
  bool closed_ = false;
  bool programPageChange_ = false;
};

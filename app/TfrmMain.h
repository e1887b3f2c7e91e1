#pragma once

#include <QMainWindow>
#include <QPoint>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/PageRules.h"
#include "app/StartupValues.h"
#include "platform/PlatformServices.h"
#include "printing/PrintJobState.h"

class ApplicationErrorHandler;
class DesignScale;
class EditSamplePage;
class FontList;
class FontMap;
class LargeSample;
class MainWindowSheetTexts;
class PreviewFonts;
class PreviewPrint;
class FontInstaller;
class TfrmInstalling;
class PrintJob;
class TfrmPrinting;
class ShowAllSelected;
class FontMapPage;
class LargeSamplePage;
class MainPage;
class PreviewInstallPage;
class QAction;
class QDialog;
class QMenu;
class QTabWidget;
class SampleTexts;
class ShowAllPage;

// The main window: its menu, its six pages and the values the rest of the program reads.
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
  FontList& Fonts() const { return *fontList_; }
  SampleTexts& Texts() const { return *sampleTexts_; }
  FontMap& Map() const { return *fontMap_; }
  ShowAllSelected& SelectedView() const { return *showAll_; }
  PrintJob& Job() const { return *printJob_; }
  PreviewFonts& Preview() const { return *preview_; }
  FontInstaller& Installer() const { return *installer_; }
  TfrmInstalling& frmInstalling() const { return *frmInstalling_; }
  TfrmPrinting& frmPrinting() const { return *frmPrinting_; }
  QMenu* FileMenu() const { return File2_; }
  QMenu* HelpMenu() const { return Help1_; }

  const std::string& ProgramDir() const { return programDir_; }
  const std::string& HelpFile() const { return helpFile_; }
  const std::string& HeadingFont() const;
  const std::array<std::string, 3>& SampleSheetLines() const { return sampleSheetLines_; }
  const ParagraphSizeTable& ParagraphSizes() const { return paragraphSizes_; }
  const std::string& FontsFolder() const { return fontsFolder_; }
  const std::string& FontRegistryKey() const { return fontRegistryKey_; }
  int PageStep() const { return pageStep_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void CreatePages(const DesignScale& scale);
  void FitTabsToCaptions(const DesignScale& scale);
  // The classes that give the pages their behaviour, each handed the controls it drives.
  void CreateSubsystems(const DesignScale& scale);
  void CreateMenu();
  void ConnectHandlers();
  void ConnectPreviewHandlers();
  void ReadRegistryValues();
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
  std::unique_ptr<FontList> fontList_;
  std::unique_ptr<SampleTexts> sampleTexts_;
  std::unique_ptr<LargeSample> largeSample_;
  std::unique_ptr<FontMap> fontMap_;
  std::unique_ptr<ShowAllSelected> showAll_;
  std::unique_ptr<MainWindowSheetTexts> sheetTexts_;
  TfrmPrinting* frmPrinting_ = nullptr;
  PrintJobState printState_;
  std::unique_ptr<PrintJob> printJob_;
  std::unique_ptr<PreviewFonts> preview_;
  std::unique_ptr<PreviewPrint> previewPrint_;
  // A window of its own, not the main window's child, so that a message box over the main
  // window leaves its Cancel clickable.
  std::unique_ptr<TfrmInstalling> frmInstalling_;
  std::unique_ptr<FontInstaller> installer_;
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
  std::array<std::string, 3> sampleSheetLines_;
  ParagraphSizeTable paragraphSizes_{};
  std::string fontsFolder_;
  std::string fontRegistryKey_;
  int pageStep_ = 0;
  QPoint place_;
  bool shown_ = false;
  bool closed_ = false;
  bool programPageChange_ = false;
};

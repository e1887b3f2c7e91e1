#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/PlatformServices.h"
#include "printing/ParagraphSizes.h"
#include "printing/PrintJobState.h"
#include "printing/SheetContext.h"

class ApplicationErrorHandler;
class CoveragePrint;
class DesignScale;
class EditSamplePage;
class FontInstaller;
class FontList;
class FontMap;
class FontMapPage;
class LargeSample;
class LargeSamplePage;
class MainPage;
class MainWindowSheetTexts;
class PreviewFonts;
class PreviewInstallPage;
class PreviewPrint;
class PrintJob;
class QPushButton;
class QWidget;
class SampleTexts;
class ShowAllPage;
class ShowAllSelected;
class TfrmInstalling;
class TfrmPrinting;

// The main window's pages, whose controls the parts drive.
struct MainWindowPages {
  MainPage& Main;
  LargeSamplePage& LargeSample;
  FontMapPage& FontMap;
  ShowAllPage& ShowAll;
  EditSamplePage& Edit;
  PreviewInstallPage& Install;
};

// The classes that give the main window's pages their behaviour, the two progress dialogs and the
// values they share, each handed the controls and services it needs and wired to its controls.
class MainWindowParts {
 public:
  // installPageShown tells whether the Preview/Install page is the window's active page.
  MainWindowParts(const MainWindowPages& pages, const PlatformServices& services,
                  ApplicationErrorHandler& errors, const DesignScale& scale, QWidget& window,
                  std::function<bool()> installPageShown);
  ~MainWindowParts();

  // Reads the fonts folder and the font registry key the installer uses.
  void ReadRegistryValues();
  void SetSampleSheetLine(std::size_t index, const std::string& line);
  void SetParagraphSizes(const ParagraphSizeTable& sizes) { paragraphSizes_ = sizes; }

  FontList& Fonts() const { return *fontList_; }
  SampleTexts& Texts() const { return *sampleTexts_; }
  LargeSample& LargeView() const { return *largeSample_; }
  FontMap& Map() const { return *fontMap_; }
  ShowAllSelected& SelectedView() const { return *showAll_; }
  PrintJob& Job() const { return *printJob_; }
  PreviewFonts& Preview() const { return *preview_; }
  FontInstaller& Installer() const { return *installer_; }
  TfrmPrinting& frmPrinting() const { return *frmPrinting_; }

  const SheetLines& SampleSheetLines() const { return sampleSheetLines_; }
  const ParagraphSizeTable& ParagraphSizes() const { return paragraphSizes_; }
  const std::string& FontsFolder() const { return fontsFolder_; }
  const std::string& FontRegistryKey() const { return fontRegistryKey_; }

 private:
  void CreateViews();
  void CreatePrinting(const DesignScale& scale);
  void CreatePreview(const DesignScale& scale);
  void ConnectHandlers();
  void ConnectPreviewHandlers();
  void ConnectCoverageCommands();
  // Runs handler on a click of button, its errors shown and the program going on.
  void OnClicked(QPushButton* button, std::function<void()> handler);
  // Wraps a handler so that an error it raises is shown and the program goes on.
  std::function<void()> Guarded(std::function<void()> handler);

  MainWindowPages pages_;
  PlatformServices services_;
  ApplicationErrorHandler& errors_;
  QWidget& window_;
  std::function<bool()> installPageShown_;

  SheetLines sampleSheetLines_;
  ParagraphSizeTable paragraphSizes_{};
  std::string fontsFolder_;
  std::string fontRegistryKey_;

  std::unique_ptr<FontList> fontList_;
  std::unique_ptr<SampleTexts> sampleTexts_;
  std::unique_ptr<LargeSample> largeSample_;
  std::unique_ptr<FontMap> fontMap_;
  std::unique_ptr<ShowAllSelected> showAll_;
  std::unique_ptr<MainWindowSheetTexts> sheetTexts_;
  // A child of the window, which destroys it.
  TfrmPrinting* frmPrinting_ = nullptr;
  PrintJobState printState_;
  std::unique_ptr<PrintJob> printJob_;
  std::unique_ptr<CoveragePrint> coveragePrint_;
  std::unique_ptr<PreviewFonts> preview_;
  std::unique_ptr<PreviewPrint> previewPrint_;
  // A window of its own, not the main window's child, so that a message box over the main
  // window leaves its Cancel clickable.
  std::unique_ptr<TfrmInstalling> frmInstalling_;
  std::unique_ptr<FontInstaller> installer_;
};

#include "app/MainWindowParts.h"

#include <QPushButton>
#include <QWidget>

#include "app/FontMapPage.h"
#include "app/LargeSamplePage.h"
#include "app/MainPage.h"
#include "app/MainWindowSheetTexts.h"
#include "app/ShowAllPage.h"
#include "app/StartupValues.h"
#include "install/CoverageFaces.h"
#include "install/FontInstaller.h"
#include "install/PreviewFonts.h"
#include "install/PreviewInstallPage.h"
#include "install/PreviewPrint.h"
#include "install/TfrmInstalling.h"
#include "platform/desktop/ApplicationErrorHandler.h"
#include "platform/desktop/IMessageBoxes.h"
#include "platform/printers/IPrinter.h"
#include "platform/storage/IApplicationInfo.h"
#include "platform/storage/IRegistry.h"
#include "platform/storage/RegistryKeys.h"
#include "platform/storage/RegistryText.h"
#include "platform/storage/XdgFolders.h"
#include "printing/CoveragePrint.h"
#include "printing/PrintJob.h"
#include "printing/PrinterCommands.h"
#include "printing/TfrmPrinting.h"
#include "settings/EditSamplePage.h"
#include "settings/SampleTextKeys.h"
#include "settings/SampleTexts.h"
#include "viewing/FontList.h"
#include "viewing/FontMap.h"
#include "viewing/LargeSample.h"
#include "viewing/ShowAllSelected.h"
#include "widgets/CheckBox.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/DriveComboBox.h"
#include "widgets/Edit.h"
#include "widgets/Grid.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/PaintBox.h"
#include "widgets/SpinEdit.h"

MainWindowParts::MainWindowParts(const MainWindowPages& pages, const PlatformServices& services,
                                 ApplicationErrorHandler& errors, const DesignScale& scale,
                                 QWidget& window, std::function<bool()> installPageShown)
    : pages_(pages),
      services_(services),
      errors_(errors),
      window_(window),
      installPageShown_(std::move(installPageShown)) {
  CreateViews();
  CreatePrinting(scale);
  CreatePreview(scale);
  ConnectHandlers();
}

MainWindowParts::~MainWindowParts() = default;

void MainWindowParts::CreateViews() {
  MainPage& m = pages_.Main;
  fontList_ = std::make_unique<FontList>(
      FontListControls{*m.lstFonts, *m.lblFonts, *m.lblSelected, *m.lblSample, *m.memDispFont,
                       *m.lblFontType, *m.lblStyles, *m.spnPointSize, *m.chkSampleBold,
                       *m.chkSampleItalic, *pages_.Edit.txtSample, *pages_.FontMap.pnlCurrChar},
      services_.Printer, services_.Fonts);
  sampleTexts_ =
      std::make_unique<SampleTexts>(pages_.Edit, services_.Profile,
                                    services_.Application.SettingsFile(SampleTextKeys::kFileName));
  pages_.Edit.txtPara->SetMaxLength(SampleTextKeys::kParagraphMaxLength);

  LargeSamplePage& l = pages_.LargeSample;
  largeSample_ = std::make_unique<LargeSample>(
      LargeSampleControls{*l.lblLargeSample, *l.chkLargeBold, *l.chkLargeItalic, *l.spnLargeSample,
                          *l.memLargeSample},
      *fontList_);
  FontMapPage& f = pages_.FontMap;
  fontMap_ =
      std::make_unique<FontMap>(FontMapControls{*f.lblGridHeading, *f.grdFontMap, *f.lblCurrChar,
                                                *f.pnlCurrChar, *f.chkGridBold, *f.chkGridItalic},
                                *fontList_);
  ShowAllPage& a = pages_.ShowAll;
  showAll_ = std::make_unique<ShowAllSelected>(
      ShowAllControls{*m.lstFonts, *a.spnSelected, *a.ScrollBox1, *a.ScrollRange, *a.pbxSelected,
                      *m.memDispFont},
      *fontList_, *sampleTexts_);
}

void MainWindowParts::CreatePrinting(const DesignScale& scale) {
  MainPage& m = pages_.Main;
  sheetTexts_ = std::make_unique<MainWindowSheetTexts>(*sampleTexts_, *m.chkBold, *m.chkItalic,
                                                       *m.spnSampleSize);
  frmPrinting_ = new TfrmPrinting(scale, &window_);
  frmPrinting_->OnCancel = [this] { printState_.CancelPrinting = true; };
  printJob_ = std::make_unique<PrintJob>(
      PrintControls{*m.lstFonts, *m.chkBold, *m.chkItalic, *m.chkSample, *m.chkCharChart,
                    *m.chkFullPage, *m.chkPara, m.chkParaSizes, *m.cmdPrint, *m.cmdPrintSetup,
                    *m.cmdHeadingFont, *frmPrinting_},
      printState_, *fontList_, services_.Printer.Document(), services_.Messages, services_.Dispatch,
      *sheetTexts_, sampleSheetLines_, paragraphSizes_);
  coveragePrint_ = std::make_unique<CoveragePrint>(services_.Printer.Document(), services_.Dispatch,
                                                   *frmPrinting_, printState_, *sheetTexts_,
                                                   sampleSheetLines_, paragraphSizes_);
}

void MainWindowParts::CreatePreview(const DesignScale& scale) {
  MainPage& m = pages_.Main;
  PreviewInstallPage& p = pages_.Install;
  preview_ = std::make_unique<PreviewFonts>(
      PreviewControls{
          *p.Drive1,
          *p.Dir1,
          *p.File1,
          *p.lblFontFiles,
          *p.cmdPreview,
          *p.pnlLoading,
          *p.lblLoading,
          *p.gaugeLoading,
          *p.cmdPreviewCancel,
          *p.lstPreview2,
          {*p.lstPreview, *p.lblPAvailable, *p.lstSelected, *p.lblPSelected, *p.cmdAdd,
           *p.cmdAddAll, *p.cmdRemove, *p.cmdRemoveAll, *p.cmdInstall, *p.cmdPreviewPrint},
          *p.lblPreviewSample,
          *p.memDispPreview,
          *p.spnPreviewSize},
      PreviewServices{services_.FontTable, services_.Fonts, services_.Screen, services_.Messages,
                      services_.Dispatch, services_.Printer},
      *fontList_, printState_);
  printState_.OnRunEnded = [this] { preview_->PrintRunEnded(installPageShown_()); };
  previewPrint_ = std::make_unique<PreviewPrint>(
      PreviewPrintControls{*p.lstSelected,
                           *p.spnPreviewPrintSize,
                           *frmPrinting_,
                           {p.cmdPreview, p.cmdAdd, p.cmdAddAll, p.cmdRemove, p.cmdRemoveAll,
                            p.cmdInstall, p.cmdPreviewPrint}},
      PreviewPrintServices{services_.Printer.Document(), services_.Fonts, services_.Dispatch},
      printState_, preview_->Reading(), preview_->Leases(), *sheetTexts_, sampleSheetLines_,
      paragraphSizes_);
  frmInstalling_ = std::make_unique<TfrmInstalling>(scale);
  installer_ = std::make_unique<FontInstaller>(
      InstallControls{*p.lstSelected, *p.cmdInstall, *p.cmdPreviewPrint, *p.cmdAdd, *p.cmdAddAll,
                      *p.cmdRemove, *p.cmdRemoveAll, *m.lstFonts, *frmInstalling_},
      InstallServices{services_.Shell, services_.Registry, services_.FontTable, services_.FontCache,
                      services_.Messages, services_.Dispatch, services_.FontFiles},
      preview_->Reading(), preview_->Lists(), *fontList_, [this] { return fontsFolder_; },
      [this] { return fontRegistryKey_; });
}

std::function<void()> MainWindowParts::Guarded(std::function<void()> handler) {
  return [this, handler = std::move(handler)] { errors_.Run(handler); };
}

void MainWindowParts::OnClicked(QPushButton* button, std::function<void()> handler) {
  QObject::connect(button, &QPushButton::clicked, &window_, Guarded(std::move(handler)));
}

void MainWindowParts::ConnectHandlers() {
  MainPage& m = pages_.Main;
  FontList& fonts = *fontList_;
  m.lstFonts->OnClick = Guarded([&fonts] { fonts.lstFontsClick(); });
  m.chkSampleBold->OnClick = Guarded([&fonts] { fonts.chkSampleBoldClick(); });
  m.chkSampleItalic->OnClick = Guarded([&fonts] { fonts.chkSampleItalicClick(); });
  m.spnPointSize->OnChange = Guarded([&fonts] { fonts.spnPointSizeChange(); });
  OnClicked(m.cmdSelectAll, [&fonts] { fonts.cmdSelectAllClick(); });

  LargeSamplePage& l = pages_.LargeSample;
  LargeSample& large = *largeSample_;
  l.spnLargeSample->OnChange = Guarded([&large] { large.spnLargeSampleChange(); });
  l.chkLargeBold->OnClick = Guarded([&large] { large.chkLargeBoldClick(); });
  l.chkLargeItalic->OnClick = Guarded([&large] { large.chkLargeItalicClick(); });
  FontMapPage& f = pages_.FontMap;
  FontMap& map = *fontMap_;
  f.grdFontMap->OnClick = Guarded([&map] { map.grdFontMapClick(); });
  f.chkGridBold->OnClick = Guarded([&map] { map.chkGridBoldClick(); });
  f.chkGridItalic->OnClick = Guarded([&map] { map.chkGridItalicClick(); });
  ShowAllSelected& selected = *showAll_;
  pages_.ShowAll.spnSelected->OnChange = Guarded([&selected] { selected.spnSelectedChange(); });
  pages_.ShowAll.pbxSelected->OnPaint = [this, &selected](IDrawingSurface& surface) {
    errors_.Run([&] { selected.pbxSelectedPaint(surface); });
  };

  PrintJob& job = *printJob_;
  OnClicked(m.cmdPrint, [&job, &m] {
    m.spnSampleSize->BringIntoRange();
    job.cmdPrintClick();
  });
  OnClicked(m.cmdPrintSetup,
            [this] { cmdPrintSetupClick(services_.Printer, services_.PrinterSetup, *fontList_); });
  OnClicked(m.cmdHeadingFont, [this] {
    cmdHeadingFontClick(*pages_.Main.lstFonts, *sampleTexts_, services_.Messages);
  });

  ConnectPreviewHandlers();
  ConnectCoverageCommands();

  SampleTexts& texts = *sampleTexts_;
  OnClicked(pages_.Edit.cmdSaveText, [&texts] { texts.cmdSaveTextClick(); });
}

void MainWindowParts::ConnectPreviewHandlers() {
  PreviewInstallPage& p = pages_.Install;
  PreviewFonts& preview = *preview_;
  p.Drive1->OnChange = Guarded([&preview] { preview.Drive1Change(); });
  p.Dir1->OnChange = Guarded([&preview] { preview.Dir1Change(); });
  p.Dir1->OnError = [this](const std::string& message) {
    services_.Messages.Show(MessageKind::Error, "Error", message);
  };
  OnClicked(p.cmdPreview, [&preview] { preview.cmdPreviewClick(); });
  OnClicked(p.cmdPreviewCancel, [&preview] { preview.cmdPreviewCancelClick(); });
  OnClicked(p.cmdAdd, [&preview] { preview.cmdAddClick(); });
  OnClicked(p.cmdAddAll, [&preview] { preview.cmdAddAllClick(); });
  OnClicked(p.cmdRemove, [&preview] { preview.cmdRemoveClick(); });
  OnClicked(p.cmdRemoveAll, [&preview] { preview.cmdRemoveAllClick(); });
  FontInstaller& installer = *installer_;
  OnClicked(p.cmdInstall, [&installer] { installer.cmdInstallClick(); });
  PreviewPrint& print = *previewPrint_;
  OnClicked(p.cmdPreviewPrint, [&print, &p] {
    p.spnPreviewPrintSize->BringIntoRange();
    print.cmdPreviewPrintClick();
  });
  p.lstPreview->OnClick = Guarded([&preview] { preview.lstPreviewClick(); });
  p.lstSelected->OnClick = Guarded([&preview] { preview.lstSelectedClick(); });
  p.spnPreviewSize->OnChange = Guarded([&preview] { preview.spnPreviewSizeChange(); });
  p.spnPreviewPrintSize->OnChange = Guarded([&preview] { preview.spnPreviewSizeChange(); });
}

void MainWindowParts::ConnectCoverageCommands() {
  MainPage& m = pages_.Main;
  m.lstFonts->ContextCommands = {{"Print Coverage", Guarded([this, &m] {
                                    std::vector<std::string> families;
                                    for (const int i : m.lstFonts->SelectedIndexes())
                                      families.push_back(m.lstFonts->Text(i));
                                    coveragePrint_->Print(
                                        CoveragePrint::FacesOfFamilies(families),
                                        {m.cmdPrint, m.cmdPrintSetup, m.cmdHeadingFont});
                                  })}};
  PreviewInstallPage& p = pages_.Install;
  p.lstSelected->ContextCommands = {
      {"Print Coverage", Guarded([this, &p] {
         coveragePrint_->Print(CoverageFacesOf(*p.lstSelected, preview_->Reading().Dir()),
                               {p.cmdPreview, p.cmdAdd, p.cmdAddAll, p.cmdRemove, p.cmdRemoveAll,
                                p.cmdInstall, p.cmdPreviewPrint});
       })}};
}

void MainWindowParts::ReadRegistryValues() {
  IRegistry& registry = services_.Registry;
  fontsFolder_ = StartupValues::InstallFolderFor(
      ReadRegistryText(registry, RegistryRoot::CurrentUser, RegistryKeys::kShellFolders,
                       RegistryKeys::kFontsValue),
      UserFontsFolder());
  fontRegistryKey_ = registry.KeyExists(RegistryRoot::LocalMachine, RegistryKeys::kNtFonts)
                         ? RegistryKeys::kNtFonts
                         : RegistryKeys::kFonts;
}

void MainWindowParts::SetSampleSheetLine(std::size_t index, const std::string& line) {
  sampleSheetLines_.at(index) = line;
}

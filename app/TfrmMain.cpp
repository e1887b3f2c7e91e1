#include "app/TfrmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <filesystem>

#include "app/FontMapPage.h"
#include "app/LargeSamplePage.h"
#include "app/MainPage.h"
#include "app/MainWindowSheetTexts.h"
#include "app/PageLetters.h"
#include "app/ShowAllKeys.h"
#include "app/ShowAllPage.h"
#include "install/FontInstaller.h"
#include "install/PreviewFonts.h"
#include "install/PreviewInstallPage.h"
#include "install/PreviewPrint.h"
#include "install/TfrmInstalling.h"
#include "platform/PlatformError.h"
#include "platform/desktop/ApplicationErrorHandler.h"
#include "platform/desktop/IHelp.h"
#include "platform/desktop/IMessageBoxes.h"
#include "platform/desktop/IScreen.h"
#include "platform/storage/IApplicationInfo.h"
#include "platform/storage/IRegistry.h"
#include "platform/storage/RegistryKeys.h"
#include "platform/storage/RegistryText.h"
#include "platform/storage/XdgFolders.h"
#include "platform/text/QtText.h"
#include "platform/text/Windows1252.h"
#include "printing/PrintJob.h"
#include "printing/PrinterCommands.h"
#include "printing/TfrmPrinting.h"
#include "settings/EditSamplePage.h"
#include "settings/SampleTextKeys.h"
#include "settings/SampleTexts.h"
#include "viewing/FontList.h"
#include "viewing/FontListTexts.h"
#include "viewing/FontMap.h"
#include "viewing/LargeSample.h"
#include "viewing/ShowAllSelected.h"
#include "widgets/BusyCursor.h"
#include "widgets/CheckBox.h"
#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/DriveComboBox.h"
#include "widgets/Edit.h"
#include "widgets/Grid.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/MnemonicText.h"
#include "widgets/PaintBox.h"
#include "widgets/SpinEdit.h"

namespace {

constexpr const char* kTitle = "Glyphera";
constexpr int kClientWidth = 773;
constexpr int kClientHeight = 521;
constexpr int kTabWidth = 128;
constexpr double kSamplePoints = 12;
constexpr double kFontMapPoints = 12;
constexpr const char* kDefaultTextsNotKept =
    "The default sample texts are used, and changes to them will not be kept";

}  // namespace

TfrmMain::TfrmMain(const PlatformServices& services, ApplicationErrorHandler& errors)
    : services_(services), errors_(errors) {
  const DesignScale scale(services_.Screen.LogicalDpi());
  setWindowTitle(QString::fromUtf8(kTitle));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(DesignFont(scale, 13, true));
  SetBackground(this, DesignColors::Silver);
  Place({StartupValues::kDesignedLeft, StartupValues::kDesignedTop});
  CreateMenu();
  CreatePages(scale);
  ConnectHandlers();
  qApp->installEventFilter(this);
  errors_.Run([this] { FormCreate(); });
}

TfrmMain::~TfrmMain() {
  qApp->removeEventFilter(this);
}

void TfrmMain::CreateMenu() {
  File2_ = menuBar()->addMenu(tr("&File"));
  Exit1_ = File2_->addAction(tr("E&xit"));
  Help1_ = menuBar()->addMenu(tr("&Help"));
  UsingGlyphera1_ = Help1_->addAction(tr("&Using Glyphera"));
  Help1_->addSeparator();
  About1_ = Help1_->addAction(tr("&About"));
}

void TfrmMain::FitTabsToCaptions(const DesignScale& scale) {
  // The tabs keep their designed width; where the screen's font makes a caption longer than the
  // design's (the font follows the dpi and its hinting, the widths only the dpi's ratio to 120),
  // the captions' font is made smaller until the longest fits, so that none is cut.
  QTabBar& bar = *PageControl1_->tabBar();
  const int width = scale(kTabWidth);
  bar.setStyleSheet(QStringLiteral("QTabBar::tab { width: %1px; }").arg(width));
  QFont font = bar.font();
  const auto widest = [&bar](const QFont& candidate) {
    const QFontMetrics metrics(candidate);
    int widest = 0;
    for (int i = 0; i < bar.count(); ++i) {
      widest = std::max(widest, metrics.horizontalAdvance(
                                    ToQString(StripMnemonics(ToStdString(bar.tabText(i))))));
    }
    return widest;
  };
  // The style keeps a margin on each side of a caption.
  const int room = width - bar.style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, &bar);
  while (font.pixelSize() > 6 && widest(font) > room) font.setPixelSize(font.pixelSize() - 1);
  bar.setFont(font);
}

void TfrmMain::CreatePages(const DesignScale& scale) {
  auto* client = new QWidget(this);
  client->setFixedSize(scale(kClientWidth), scale(kClientHeight));
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  PageControl1_ = new QTabWidget(client);
  PageControl1_->setGeometry(scale.Rect(0, 0, 777, 520));
  PageControl1_->tabBar()->setFont(DesignFont(scale, 13, false));
  PageControl1_->tabBar()->setExpanding(false);
  const auto addPage = [&](const char* caption) {
    auto* page = new QWidget();
    SetBackground(page, DesignColors::Silver);
    PageControl1_->addTab(page, QString::fromUtf8(caption));
    return page;
  };
  tabMain_ = std::make_unique<MainPage>(addPage("&Main"), scale);
  tabLargeSample_ = std::make_unique<LargeSamplePage>(addPage("&Large Sample"), scale);
  tabFontMap_ = std::make_unique<FontMapPage>(addPage("F&ont Map"), scale);
  tabShowAll_ = std::make_unique<ShowAllPage>(addPage("Show &All Selected"), scale);
  tabEdit_ = std::make_unique<EditSamplePage>(addPage("&Edit Sample Text"), scale);
  tabInstall_ = std::make_unique<PreviewInstallPage>(addPage("Preview/&Install"), scale);
  FitTabsToCaptions(scale);

  CreateSubsystems(scale);
}

void TfrmMain::CreateSubsystems(const DesignScale& scale) {
  MainPage& m = *tabMain_;
  fontList_ = std::make_unique<FontList>(
      FontListControls{*m.lstFonts, *m.lblFonts, *m.lblSelected, *m.lblSample, *m.memDispFont,
                       *m.lblFontType, *m.lblStyles, *m.spnPointSize, *m.chkSampleBold,
                       *m.chkSampleItalic, *tabEdit_->txtSample, *tabFontMap_->pnlCurrChar},
      services_.Printer, services_.Fonts);
  sampleTexts_ = std::make_unique<SampleTexts>(
      *tabEdit_, services_.Profile, services_.Application.SettingsFile(SampleTextKeys::kFileName));
  tabEdit_->txtPara->SetMaxLength(SampleTextKeys::kParagraphMaxLength);

  LargeSamplePage& l = *tabLargeSample_;
  largeSample_ = std::make_unique<LargeSample>(
      LargeSampleControls{*l.lblLargeSample, *l.chkLargeBold, *l.chkLargeItalic, *l.spnLargeSample,
                          *l.memLargeSample},
      *fontList_);
  FontMapPage& f = *tabFontMap_;
  fontMap_ =
      std::make_unique<FontMap>(FontMapControls{*f.lblGridHeading, *f.grdFontMap, *f.lblCurrChar,
                                                *f.pnlCurrChar, *f.chkGridBold, *f.chkGridItalic},
                                *fontList_);
  ShowAllPage& a = *tabShowAll_;
  showAll_ = std::make_unique<ShowAllSelected>(
      ShowAllControls{*m.lstFonts, *a.spnSelected, *a.ScrollBox1, *a.ScrollRange, *a.pbxSelected,
                      *m.memDispFont},
      *fontList_, *sampleTexts_);

  sheetTexts_ = std::make_unique<MainWindowSheetTexts>(*sampleTexts_, *m.chkBold, *m.chkItalic,
                                                       *m.spnSampleSize);
  frmPrinting_ = new TfrmPrinting(scale, this);
  frmPrinting_->OnCancel = [this] { printState_.CancelPrinting = true; };
  printJob_ = std::make_unique<PrintJob>(
      PrintControls{*m.lstFonts, *m.chkBold, *m.chkItalic, *m.chkSample, *m.chkCharChart,
                    *m.chkFullPage, *m.chkPara, m.chkParaSizes, *m.cmdPrint, *m.cmdPrintSetup,
                    *m.cmdHeadingFont, *frmPrinting_},
      printState_, *fontList_, services_.Printer, services_.Messages, services_.Dispatch,
      *sheetTexts_, sampleSheetLines_, paragraphSizes_);

  PreviewInstallPage& p = *tabInstall_;
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
  printState_.OnRunEnded = [this] { preview_->PrintRunEnded(ActivePage() == Page::Install); };
  previewPrint_ = std::make_unique<PreviewPrint>(
      PreviewPrintControls{*p.lstSelected,
                           *p.spnPreviewPrintSize,
                           *frmPrinting_,
                           {p.cmdPreview, p.cmdAdd, p.cmdAddAll, p.cmdRemove, p.cmdRemoveAll,
                            p.cmdInstall, p.cmdPreviewPrint}},
      PreviewPrintServices{services_.Printer, services_.Fonts, services_.Dispatch}, printState_,
      preview_->Reading(), preview_->Leases(), *sheetTexts_, sampleSheetLines_, paragraphSizes_);
  frmInstalling_ = std::make_unique<TfrmInstalling>(scale);
  installer_ = std::make_unique<FontInstaller>(
      InstallControls{*p.lstSelected, *p.cmdInstall, *p.cmdPreviewPrint, *p.cmdAdd, *p.cmdAddAll,
                      *p.cmdRemove, *p.cmdRemoveAll, *m.lstFonts, *frmInstalling_},
      InstallServices{services_.Shell, services_.Registry, services_.FontTable, services_.FontCache,
                      services_.Messages, services_.Dispatch, services_.FontFiles},
      preview_->Reading(), preview_->Lists(), *fontList_, [this] { return fontsFolder_; },
      [this] { return fontRegistryKey_; });
}

std::function<void()> TfrmMain::Guarded(std::function<void()> handler) {
  return [this, handler = std::move(handler)] { errors_.Run(handler); };
}

void TfrmMain::ConnectHandlers() {
  MainPage& m = *tabMain_;
  FontList& fonts = *fontList_;
  m.lstFonts->OnClick = Guarded([&fonts] { fonts.lstFontsClick(); });
  m.chkSampleBold->OnClick = Guarded([&fonts] { fonts.chkSampleBoldClick(); });
  m.chkSampleItalic->OnClick = Guarded([&fonts] { fonts.chkSampleItalicClick(); });
  m.spnPointSize->OnChange = Guarded([&fonts] { fonts.spnPointSizeChange(); });
  connect(m.cmdSelectAll, &QPushButton::clicked, this,
          Guarded([&fonts] { fonts.cmdSelectAllClick(); }));

  LargeSample& large = *largeSample_;
  tabLargeSample_->spnLargeSample->OnChange = Guarded([&large] { large.spnLargeSampleChange(); });
  tabLargeSample_->chkLargeBold->OnClick = Guarded([&large] { large.chkLargeBoldClick(); });
  tabLargeSample_->chkLargeItalic->OnClick = Guarded([&large] { large.chkLargeItalicClick(); });
  FontMap& map = *fontMap_;
  tabFontMap_->grdFontMap->OnClick = Guarded([&map] { map.grdFontMapClick(); });
  tabFontMap_->chkGridBold->OnClick = Guarded([&map] { map.chkGridBoldClick(); });
  tabFontMap_->chkGridItalic->OnClick = Guarded([&map] { map.chkGridItalicClick(); });
  ShowAllSelected& selected = *showAll_;
  tabShowAll_->spnSelected->OnChange = Guarded([&selected] { selected.spnSelectedChange(); });
  tabShowAll_->pbxSelected->OnPaint = [this, &selected](IDrawingSurface& surface) {
    errors_.Run([&] { selected.pbxSelectedPaint(surface); });
  };

  PrintJob& job = *printJob_;
  connect(m.cmdPrint, &QPushButton::clicked, this, Guarded([&job, &m] {
            m.spnSampleSize->BringIntoRange();
            job.cmdPrintClick();
          }));
  connect(m.cmdPrintSetup, &QPushButton::clicked, this, Guarded([this] {
            cmdPrintSetupClick(services_.Printer, services_.PrinterSetup, *fontList_);
          }));
  connect(m.cmdHeadingFont, &QPushButton::clicked, this, Guarded([this] {
            cmdHeadingFontClick(*tabMain_->lstFonts, *sampleTexts_, services_.Messages);
          }));

  ConnectPreviewHandlers();

  SampleTexts& texts = *sampleTexts_;
  connect(tabEdit_->cmdSaveText, &QPushButton::clicked, this,
          Guarded([&texts] { texts.cmdSaveTextClick(); }));

  connect(PageControl1_, &QTabWidget::currentChanged, this, [this] {
    const Page left = shownPage_;
    shownPage_ = ActivePage();
    if (programPageChange_) return;
    if (left == Page::Install) errors_.Run([this] { PageControl1Changing(); });
    errors_.Run([this] { PageControl1Change(); });
  });
  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages from wherever the focus is, wrapping around.
  const auto pageKey = [this](QKeyCombination keys, bool forward) {
    auto* shortcut = new QShortcut(QKeySequence(keys), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this, forward] { ChangePageByUser(NextPage(ActivePage(), forward)); });
  };
  pageKey(Qt::CTRL | Qt::Key_Tab, true);
  pageKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, false);
  pageKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, false);

  connect(Exit1_, &QAction::triggered, this, Guarded([this] { Exit1Click(); }));
  connect(UsingGlyphera1_, &QAction::triggered, this, Guarded([this] { UsingGlyphera1Click(); }));
  connect(About1_, &QAction::triggered, this, Guarded([this] { About1Click(); }));
}

void TfrmMain::ConnectPreviewHandlers() {
  PreviewInstallPage& p = *tabInstall_;
  PreviewFonts& preview = *preview_;
  p.Drive1->OnChange = Guarded([&preview] { preview.Drive1Change(); });
  p.Dir1->OnChange = Guarded([&preview] { preview.Dir1Change(); });
  p.Dir1->OnError = [this](const std::string& message) {
    services_.Messages.Show(MessageKind::Error, "Error", message);
  };
  const auto click = [this](QPushButton* button, std::function<void()> handler) {
    connect(button, &QPushButton::clicked, this, Guarded(std::move(handler)));
  };
  click(p.cmdPreview, [&preview] { preview.cmdPreviewClick(); });
  click(p.cmdPreviewCancel, [&preview] { preview.cmdPreviewCancelClick(); });
  click(p.cmdAdd, [&preview] { preview.cmdAddClick(); });
  click(p.cmdAddAll, [&preview] { preview.cmdAddAllClick(); });
  click(p.cmdRemove, [&preview] { preview.cmdRemoveClick(); });
  click(p.cmdRemoveAll, [&preview] { preview.cmdRemoveAllClick(); });
  FontInstaller& installer = *installer_;
  click(p.cmdInstall, [&installer] { installer.cmdInstallClick(); });
  PreviewPrint& print = *previewPrint_;
  click(p.cmdPreviewPrint, [&print, &p] {
    p.spnPreviewPrintSize->BringIntoRange();
    print.cmdPreviewPrintClick();
  });
  p.lstPreview->OnClick = Guarded([&preview] { preview.lstPreviewClick(); });
  p.lstSelected->OnClick = Guarded([&preview] { preview.lstSelectedClick(); });
  p.spnPreviewSize->OnChange = Guarded([&preview] { preview.spnPreviewSizeChange(); });
  p.spnPreviewPrintSize->OnChange = Guarded([&preview] { preview.spnPreviewSizeChange(); });
}

void TfrmMain::FormCreate() {
  // A printer that fails is reported, and the window is still set up in full, so that it
  // stays usable without fonts.
  errors_.Run([this] { fontList_->FillFontList(); });
  fontList_->BuildScreenFontSet();
  Memo& sample = *tabMain_->memDispFont;
  sample.setFont(DesignFont(DesignScale(services_.Screen.LogicalDpi()), 13, false));
  sample.SetFontName(kSystemFace);
  sample.SetFontPoints(kSamplePoints);
  sample.SetBold(false);
  sample.SetItalic(false);
  Memo& preview = *tabInstall_->memDispPreview;
  preview.SetFontName(kSystemFace);
  preview.SetBold(true);
  preview.SetFontPoints(kSamplePoints);
  sampleTexts_->SetHeadingFont(SampleTextKeys::kDefaultHeadingFont);
  tabLargeSample_->memLargeSample->SetText(StartupValues::kLargeSampleLines);
  sampleSheetLines_[0] = StartupValues::kSheetLine0;
  sampleSheetLines_[1] = StartupValues::kSheetLine1;
  paragraphSizes_ = StartupValues::DefaultParagraphSizes();
  for (std::size_t i = 0; i < paragraphSizes_.size(); ++i) {
    tabMain_->chkParaSizes[i]->SetChecked(StartupValues::kParagraphBoxesCheckedAtStart[i]);
  }
  programDir_ = StartupValues::ProgramDirOf(services_.Application.ProgramFile());
  helpFile_ = services_.Application.DataFile(StartupValues::kHelpFileName);
  tabFontMap_->grdFontMap->SetFontPoints(kFontMapPoints);
  tabFontMap_->grdFontMap->SetBold(false);
  tabFontMap_->grdFontMap->SetItalic(false);
  fontMap_->FillCells(false);
  SetActivePageQuietly(Page::Main);
  // The directory list starts at the root; its change lists the root's font files.
  errors_.Run([this] { tabInstall_->Dir1->SetDirectory("/"); });
  errors_.Run([this] { ReadRegistryValues(); });
  if (StartupValues::PlaceAtOrigin(services_.Screen.Width())) Place({0, 0});
}

void TfrmMain::ReadRegistryValues() {
  IRegistry& registry = services_.Registry;
  fontsFolder_ = StartupValues::InstallFolderFor(
      ReadRegistryText(registry, RegistryRoot::CurrentUser, RegistryKeys::kShellFolders,
                       RegistryKeys::kFontsValue),
      UserFontsFolder());
  fontRegistryKey_ = registry.KeyExists(RegistryRoot::LocalMachine, RegistryKeys::kNtFonts)
                         ? RegistryKeys::kNtFonts
                         : RegistryKeys::kFonts;
}

void TfrmMain::Place(const QPoint& place) {
  place_ = place;
  services_.Screen.PlaceWindow(*this, place.x(), place.y());
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // Once more as the window is shown: only a shown window can be put at a place in the screen's
  // own pixels that the toolkit's pixels cannot name.
  Place(place_);
  errors_.Run([this] { FormShow(); });
}

const std::string& TfrmMain::HeadingFont() const {
  return sampleTexts_->HeadingFont();
}

void TfrmMain::FormShow() {
  LoadSampleTexts();
  const std::string sampleText = sampleTexts_->SampleText();
  Memo& large = *tabLargeSample_->memLargeSample;
  large.SetText(large.Text() + sampleText);
  Memo& preview = *tabInstall_->memDispPreview;
  preview.SetText(StartupValues::kPreviewSampleLines + sampleText);
  preview.SetFontColor(DesignColors::White);
  sampleSheetLines_[2] = sampleText;
  pageStep_ = StartupValues::PageStepFor(tabShowAll_->ScrollBox1->height());
  Grid& grid = *tabFontMap_->grdFontMap;
  grid.SetDefaultRowHeight(StartupValues::FontMapRowHeight(grid.height()));
  frmSplash_.reset();
  fontList_->lstFontsClick();
  tabMain_->lstFonts->setFocus();
}

void TfrmMain::LoadSampleTexts() {
  // A settings file that cannot be created leaves the defaults in the boxes for this run, so
  // that no sample, sheet or view is blank, and the user is told once. One that is there but
  // cannot be used is reported and left alone. Either way start-up goes on rather than leaving
  // the splash window up.
  bool defaults = false;
  errors_.Run([this, &defaults] {
    if (sampleTexts_->SettingsFileExists()) return;
    try {
      // An installed copy's folder under the user's configuration may not be there yet.
      std::error_code ignored;
      std::filesystem::create_directories(
          std::filesystem::path(sampleTexts_->SettingsFile()).parent_path(), ignored);
      sampleTexts_->WriteDefaultTexts();
    } catch (const PlatformError& error) {
      sampleTexts_->UseDefaultTexts();
      defaults = true;
      throw PlatformError(std::string(error.what()) + ". " + kDefaultTextsNotKept);
    }
  });
  if (!defaults) sampleTexts_->ReadSampleTexts();
}

void TfrmMain::SetSplash(std::unique_ptr<QWidget> splash) {
  frmSplash_ = std::move(splash);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    errors_.Run([this] { FormClose(); });
  }
  event->accept();
  QCoreApplication::quit();
}

void TfrmMain::FormClose() {
  const BusyCursor busy(services_.Screen);
  preview_->CloseWindow();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  // Alt and a letter that Qt has matched to a control or tab of this window: the window decides
  // which one it reaches, whichever owner Qt picked.
  if (event->type() == QEvent::Shortcut && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this &&
      AnswerPageLetter(*PageControl1_, static_cast<QShortcutEvent*>(event)->key())) {
    return true;
  }
  // Key preview: the window sees a key before the focused control, and lets it go on. The key
  // reaches the filter once for each widget it propagates through; only its first receiver,
  // the focused control, counts.
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    const QWidget* focus = QApplication::focusWidget();
    if (widget->window() == this && (widget == focus || (focus == nullptr && widget == this))) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      errors_.Run([this, key] { FormKeyDown(key); });
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::FormKeyDown(int key) {
  if (ActivePage() != Page::ShowAll) return;
  QScrollBar* bar = tabShowAll_->ScrollBox1->verticalScrollBar();
  if (const auto position = ShowAllScrollPosition(key, bar->value(), pageStep_, bar->maximum())) {
    bar->setValue(*position);
  }
}

void TfrmMain::PageControl1Changing() {
  preview_->LeavePage();
}

Page TfrmMain::ActivePage() const {
  return static_cast<Page>(PageControl1_->currentIndex());
}

void TfrmMain::SetActivePageQuietly(Page page) {
  programPageChange_ = true;
  PageControl1_->setCurrentIndex(static_cast<int>(page));
  programPageChange_ = false;
}

void TfrmMain::ChangePageByUser(Page page) {
  PageControl1_->setCurrentIndex(static_cast<int>(page));
}

void TfrmMain::PageControl1Change() {
  switch (PageActionFor(ActivePage(), fontList_->NoScreenFont())) {
    case PageAction::RefuseAndReturnToMain:
      SetActivePageQuietly(Page::Main);
      services_.Messages.Show(MessageKind::Information, "Information", kNoScreenFontMessage);
      break;
    case PageAction::FocusFontList:
      tabMain_->lstFonts->setFocus();
      break;
    case PageAction::ShowLargeSample:
      largeSample_->ShowCurrentFont();
      break;
    case PageAction::RefreshFontMap:
      fontMap_->RefreshFontMap();
      break;
    case PageAction::ScrollShowAllToTop:
      tabShowAll_->ScrollBox1->verticalScrollBar()->setValue(0);
      break;
    case PageAction::Nothing:
      break;
  }
}

void TfrmMain::Exit1Click() {
  close();
}

void TfrmMain::UsingGlyphera1Click() {
  services_.Help.ShowContents(helpFile_);
}

void TfrmMain::About1Click() {
  if (frmAbout_ != nullptr) frmAbout_->exec();
}

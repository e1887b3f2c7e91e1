#include "app/TfrmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
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
#include "app/MainWindowParts.h"
#include "app/PageLetters.h"
#include "app/ShowAllKeys.h"
#include "app/ShowAllPage.h"
#include "app/StartupValues.h"
#include "install/PreviewFonts.h"
#include "install/PreviewInstallPage.h"
#include "platform/PlatformError.h"
#include "platform/desktop/ApplicationErrorHandler.h"
#include "platform/desktop/IHelp.h"
#include "platform/desktop/IMessageBoxes.h"
#include "platform/desktop/IScreen.h"
#include "platform/storage/IApplicationInfo.h"
#include "platform/text/QtText.h"
#include "platform/text/Windows1252.h"
#include "settings/EditSamplePage.h"
#include "settings/SampleTextKeys.h"
#include "settings/SampleTexts.h"
#include "viewing/FontList.h"
#include "viewing/FontListTexts.h"
#include "viewing/FontMap.h"
#include "viewing/LargeSample.h"
#include "widgets/BusyCursor.h"
#include "widgets/CheckBox.h"
#include "widgets/ControlStyle.h"
#include "widgets/DesignFonts.h"
#include "widgets/DesignScale.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/Edit.h"
#include "widgets/Grid.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Memo.h"
#include "widgets/MnemonicText.h"
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

  parts_ = std::make_unique<MainWindowParts>(
      MainWindowPages{*tabMain_, *tabLargeSample_, *tabFontMap_, *tabShowAll_, *tabEdit_,
                      *tabInstall_},
      services_, errors_, scale, *this, [this] { return ActivePage() == Page::Install; });
}

std::function<void()> TfrmMain::Guarded(std::function<void()> handler) {
  return [this, handler = std::move(handler)] { errors_.Run(handler); };
}

void TfrmMain::ConnectHandlers() {
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

void TfrmMain::FormCreate() {
  // A printer that fails is reported, and the window is still set up in full, so that it
  // stays usable without fonts.
  errors_.Run([this] { parts_->Fonts().FillFontList(); });
  parts_->Fonts().BuildScreenFontSet();
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
  parts_->Texts().SetHeadingFont(SampleTextKeys::kDefaultHeadingFont);
  tabLargeSample_->memLargeSample->SetText(StartupValues::kLargeSampleLines);
  parts_->SetSampleSheetLine(0, StartupValues::kSheetLine0);
  parts_->SetSampleSheetLine(1, StartupValues::kSheetLine1);
  const ParagraphSizeTable sizes = StartupValues::DefaultParagraphSizes();
  parts_->SetParagraphSizes(sizes);
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    tabMain_->chkParaSizes[i]->SetChecked(StartupValues::kParagraphBoxesCheckedAtStart[i]);
  }
  programDir_ = StartupValues::ProgramDirOf(services_.Application.ProgramFile());
  helpFile_ = services_.Application.DataFile(StartupValues::kHelpFileName);
  tabFontMap_->grdFontMap->SetFontPoints(kFontMapPoints);
  tabFontMap_->grdFontMap->SetBold(false);
  tabFontMap_->grdFontMap->SetItalic(false);
  parts_->Map().FillCells(false);
  SetActivePageQuietly(Page::Main);
  // The directory list starts at the root; its change lists the root's font files.
  errors_.Run([this] { tabInstall_->Dir1->SetDirectory("/"); });
  errors_.Run([this] { parts_->ReadRegistryValues(); });
  if (StartupValues::PlaceAtOrigin(services_.Screen.Width())) Place({0, 0});
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

void TfrmMain::FormShow() {
  LoadSampleTexts();
  const std::string sampleText = parts_->Texts().SampleText();
  Memo& large = *tabLargeSample_->memLargeSample;
  large.SetText(large.Text() + sampleText);
  Memo& preview = *tabInstall_->memDispPreview;
  preview.SetText(StartupValues::kPreviewSampleLines + sampleText);
  preview.SetFontColor(DesignColors::White);
  parts_->SetSampleSheetLine(2, sampleText);
  pageStep_ = StartupValues::PageStepFor(tabShowAll_->ScrollBox1->height());
  Grid& grid = *tabFontMap_->grdFontMap;
  grid.SetDefaultRowHeight(StartupValues::FontMapRowHeight(grid.height()));
  frmSplash_.reset();
  parts_->Fonts().lstFontsClick();
  tabMain_->lstFonts->setFocus();
}

void TfrmMain::LoadSampleTexts() {
  // A settings file that cannot be created leaves the defaults in the boxes for this run, so
  // that no sample, sheet or view is blank, and the user is told once. One that is there but
  // cannot be used is reported and left alone. Either way start-up goes on rather than leaving
  // the splash window up.
  bool defaults = false;
  errors_.Run([this, &defaults] {
    if (parts_->Texts().SettingsFileExists()) return;
    try {
      // An installed copy's folder under the user's configuration may not be there yet.
      std::error_code ignored;
      std::filesystem::create_directories(
          std::filesystem::path(parts_->Texts().SettingsFile()).parent_path(), ignored);
      parts_->Texts().WriteDefaultTexts();
    } catch (const PlatformError& error) {
      parts_->Texts().UseDefaultTexts();
      defaults = true;
      throw PlatformError(std::string(error.what()) + ". " + kDefaultTextsNotKept);
    }
  });
  if (!defaults) parts_->Texts().ReadSampleTexts();
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
  parts_->Preview().CloseWindow();
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
  parts_->Preview().LeavePage();
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
  switch (PageActionFor(ActivePage(), parts_->Fonts().NoScreenFont())) {
    case PageAction::RefuseAndReturnToMain:
      SetActivePageQuietly(Page::Main);
      services_.Messages.Show(MessageKind::Information, "Information", kNoScreenFontMessage);
      break;
    case PageAction::FocusFontList:
      tabMain_->lstFonts->setFocus();
      break;
    case PageAction::ShowLargeSample:
      parts_->LargeView().ShowCurrentFont();
      break;
    case PageAction::RefreshFontMap:
      parts_->Map().RefreshFontMap();
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

#include "platform/desktop/HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScrollBar>
#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <utility>

namespace {

constexpr char kTitle[] = "Glyphera Help";
constexpr int kWidth = 640;
constexpr int kHeight = 560;

void ShowErrorBox(const std::string& title, const std::string& text) {
  QMessageBox::critical(nullptr, QString::fromStdString(title), QString::fromStdString(text));
}

}  // namespace

HelpWindow::HelpWindow(ErrorReporter reportError)
    : reportError_(reportError ? std::move(reportError) : ErrorReporter(ShowErrorBox)) {}

HelpWindow::~HelpWindow() = default;

void HelpWindow::ShowContents(const std::string& helpFile) {
  const QString path = QString::fromStdString(helpFile);
  const QFileInfo info(path);
  QFile file(path);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
    reportError_(kTitle,
                 "Cannot open the help file " + info.absoluteFilePath().toStdString() + ".");
    return;
  }
  const QString html = QString::fromUtf8(file.readAll());

  if (!window_) CreateWindow();
  browser_->setHtml(html);
  browser_->moveCursor(QTextCursor::Start);
  browser_->verticalScrollBar()->setValue(0);
  browser_->horizontalScrollBar()->setValue(0);

  window_->show();
  window_->raise();
  window_->activateWindow();
}

void HelpWindow::CreateWindow() {
  window_ = std::make_unique<QWidget>(nullptr, Qt::Window);
  window_->setWindowTitle(kTitle);
  window_->setWindowModality(Qt::NonModal);

  auto* layout = new QVBoxLayout(window_.get());
  layout->setContentsMargins(0, 0, 0, 0);
  browser_ = new QTextBrowser(window_.get());
  layout->addWidget(browser_);

  // Links are handled here: a link within the page scrolls to its anchor, any other is ignored,
  // so the page never leaves the help file.
  browser_->setOpenLinks(false);
  browser_->setOpenExternalLinks(false);
  QObject::connect(browser_, &QTextBrowser::anchorClicked,
                   [this](const QUrl& link) { FollowLink(link); });

  window_->resize(kWidth, kHeight);
}

void HelpWindow::FollowLink(const QUrl& link) {
  const bool inPage = link.isRelative() && link.path().isEmpty() && link.hasFragment();
  if (inPage) browser_->scrollToAnchor(link.fragment());
}

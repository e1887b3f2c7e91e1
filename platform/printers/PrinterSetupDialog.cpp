#include "platform/printers/PrinterSetupDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/printers/Printers.h"
#include "platform/text/QtText.h"

void PrinterSetupDialog::Execute() {
  // The PDF printer's paper as chosen, whichever printer the list shows.
  QString pdfPaper = ToQString(printer_.PaperSize());
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QObject::tr("Print Setup"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* printersLabel = new QLabel(QObject::tr("&Printer:"), &dialog);
  auto* printers = new QListWidget(&dialog);
  printersLabel->setBuddy(printers);
  // Queues come and go while the program runs: the list is the server's as the dialog opens.
  const bool answered = printer_.ReadPrinters();
  for (const std::string& name : printer_.PrinterNames()) printers->addItem(ToQString(name));
  printers->setCurrentRow(printer_.PrinterIndex());
  layout->addWidget(printersLabel);
  layout->addWidget(printers);
  if (!answered) {
    layout->addWidget(new QLabel(
        QObject::tr("The print server does not answer: its printers are as last read."), &dialog));
  }

  auto* folderLabel = new QLabel(QObject::tr("PDF &output folder:"), &dialog);
  auto* folder = new QLineEdit(ToQString(printer_.OutputFolder()), &dialog);
  folderLabel->setBuddy(folder);
  auto* browse = new QPushButton(QObject::tr("&Browse..."), &dialog);
  auto* folderRow = new QHBoxLayout();
  folderRow->addWidget(folder);
  folderRow->addWidget(browse);
  layout->addWidget(folderLabel);
  layout->addLayout(folderRow);

  auto* paperLabel = new QLabel(QObject::tr("P&aper:"), &dialog);
  auto* paper = new QComboBox(&dialog);
  paperLabel->setBuddy(paper);
  auto* paperRow = new QHBoxLayout();
  paperRow->addWidget(paperLabel);
  paperRow->addWidget(paper, 1);
  layout->addLayout(paperRow);
  // Only the PDF printer has an output folder and a choice of paper; a queue prints on its own
  // paper, which is shown.
  const auto showFolder = [=, this, &pdfPaper] {
    const bool pdf = printers->currentRow() == 0;
    folder->setEnabled(pdf);
    browse->setEnabled(pdf);
    paper->setEnabled(pdf);
    const QSignalBlocker quiet(paper);
    paper->clear();
    if (pdf) {
      paper->addItems({QStringLiteral("Letter"), QStringLiteral("A4")});
      paper->setCurrentText(pdfPaper);
    } else {
      paper->addItem(ToQString(printer_.PaperOf(printers->currentRow())));
    }
  };
  showFolder();
  QObject::connect(printers, &QListWidget::currentRowChanged, &dialog, showFolder);
  QObject::connect(paper, &QComboBox::currentTextChanged, &dialog,
                   [&pdfPaper](const QString& chosen) { pdfPaper = chosen; });
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&dialog, folder] {
    const QString chosen = QFileDialog::getExistingDirectory(
        &dialog, QObject::tr("PDF output folder"), folder->text());
    if (!chosen.isEmpty()) folder->setText(chosen);
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(420, 360);
  if (dialog.exec() != QDialog::Accepted) return;
  if (printers->currentRow() == 0 && !folder->text().trimmed().isEmpty()) {
    printer_.SetOutputFolder(ToStdString(folder->text().trimmed()));
  }
  if (printers->currentRow() == 0) printer_.SetPaperSize(ToStdString(pdfPaper));
  if (printers->currentRow() >= 0) printer_.SetPrinterIndex(printers->currentRow());
}

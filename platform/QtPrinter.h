#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/IPrinter.h"

class IFontServices;
class IMessageDispatch;
class IRegistry;
class PainterSurface;
class QBuffer;
class QPainter;
class QPdfWriter;
class QPrinter;

// The printers: a built-in PDF printer that is always there, then the CUPS printers Qt reports.
// The current printer starts as the system's default CUPS printer, or the PDF printer when the
// system has none. The PDF printer writes each document as a PDF file of its own, at 600 dpi, into
// its output folder; the folder is a setting of the printer, kept in the registry store.
class QtPrinter final : public IPrinter {
 public:
  static constexpr const char* kPdfPrinterName = "Glyphera PDF Printer";
  static constexpr int kPdfResolution = 600;

  QtPrinter(IFontServices& fonts, IRegistry& registry, IMessageDispatch& dispatch);
  ~QtPrinter() override;

  std::vector<std::string> PrinterNames() override { return names_; }
  int PrinterIndex() override;
  void SetPrinterIndex(int index) override;
  const std::vector<std::string>& Fonts() override;
  void BeginDoc() override;
  void EndDoc() override;
  void Abort() override;
  bool Printing() override { return painter_ != nullptr; }
  IDrawingSurface& Canvas() override;

  // The PDF printer's output folder: the stored one, or a "Glyphera" folder in the user's
  // documents folder.
  std::string OutputFolder();
  void SetOutputFolder(const std::string& folder);
  bool IsPdfPrinter() const { return index_ == 0; }

 private:
  bool IsAvailable(int index) const;
  void OpenPdfDocument();
  void OpenSystemDocument();
  // A file name in the output folder that sorts after every earlier document and is not taken.
  std::string NextPdfName();
  // Writes the finished PDF document to its file; the error text, or nothing when it is there.
  std::string WritePdfFile(bool made);
  void Close();

  IFontServices& fonts_;
  IRegistry& registry_;
  IMessageDispatch& dispatch_;
  std::vector<std::string> names_;
  int index_ = 0;
  std::optional<std::vector<std::string>> fontList_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QBuffer> pdfBytes_;
  std::unique_ptr<QPdfWriter> pdf_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<PainterSurface> surface_;
  int sequence_ = 1;
  int partials_ = 0;
};

#pragma once

#include <string>
#include <string_view>

class IRegistry;

// The PDF printer's files: its settings in the registry store (the output folder and the paper)
// and the sheets it writes there, one file a document, named so that they sort in print order.
class PdfSheetFiles {
 public:
  explicit PdfSheetFiles(IRegistry& registry);

  // The output folder: the stored one, or a "Glyphera" folder in the user's documents folder.
  std::string OutputFolder();
  void SetOutputFolder(const std::string& folder);
  // The paper, "Letter" or "A4": the stored one, or the locale's.
  std::string PaperSize();
  void SetPaperSize(const std::string& paper);

  // Removes what a killed run left of the sheets it was writing.
  void RemoveAbandoned();
  // Writes a finished document as the next sheet; `made` says whether the document was made
  // whole. The error text, or nothing when the sheet is there.
  std::string Write(bool made, std::string_view pdf);

 private:
  // The text of one of the settings in the store; nothing when unset or unreadable.
  std::string StoredSetting(const char* name);
  // A file name in the output folder that sorts after every earlier document and is not taken.
  std::string NextName();

  IRegistry& registry_;
  int sequence_ = 1;
};

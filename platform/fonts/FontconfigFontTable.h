#pragma once

#include <QByteArray>
#include <map>
#include <optional>
#include <string>

#include "platform/fonts/DeferredFontRemovals.h"
#include "platform/fonts/IFontTable.h"
#include "platform/fonts/NamedInstanceRegistration.h"
#include "platform/fonts/PrivateFontCopies.h"

// The font table over the program's own added faces, which the font services list, and Qt's
// font database, which draws them. A file stays added until it was removed as often as added.
// A removed file leaves the lists at once; Qt lets go of it when that is cheap (see
// DeferredFontRemovals).
class FontconfigFontTable final : public IFontTable {
 public:
  FontconfigFontTable() : FontconfigFontTable(false) {}
  // With sameCopyNamesEachRun, the files are drawn from copies named the same in every run (see
  // PrivateFontCopies), so the same documents come out byte for byte.
  explicit FontconfigFontTable(bool sameCopyNamesEachRun);
  ~FontconfigFontTable() override;
  FontconfigFontTable(const FontconfigFontTable&) = delete;
  FontconfigFontTable& operator=(const FontconfigFontTable&) = delete;

  void AddFontResource(const std::string& path) override;
  void RemoveFontResource(const std::string& path) override;
  void BroadcastFontChange() override;

  bool IsAdded(const std::string& path) const { return added_.count(path) != 0; }
  // Removed files Qt still holds.
  std::size_t KeptFiles() const { return kept_.Count(); }

 private:
  struct Added {
    int Count = 0;
    int QtId = -1;
  };
  void Register(const std::string& path, Added& added);
  int AddToQt(std::string_view bytes);
  // What a file still registered with Qt holds, as it was read.
  std::optional<std::string> BytesOf(int qtId) const;
  void LetGo(const std::vector<int>& qtIds);
  // The name the toolkit knows a file it was given by.
  std::string ToolkitFile(int qtId) const;

  std::map<std::string, Added> added_;
  DeferredFontRemovals kept_;
  PrivateFontCopies copies_;
  // What Qt draws each registered file from: its private copy, or, when none could be written,
  // the bytes in memory, shared with Qt's own copy.
  std::map<int, std::string> copyOf_;
  std::map<int, QByteArray> bytes_;
  NamedInstanceRegistration instances_;
};

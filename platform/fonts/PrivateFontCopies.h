#pragma once

#include <string>
#include <string_view>

// Private copies of font files, each under a name never used before in this run, in a folder of
// the run's own under the temporary folder. The toolkit keys the faces it has open by file name,
// and keeps a face open while any text laid out in it lives: a file added from memory is named
// by a slot number that a later file reuses, and then draws with the earlier file's glyphs. A
// copy of its own also keeps a face whole when its original file changes or vanishes while shown.
class PrivateFontCopies {
 public:
  PrivateFontCopies() = default;
  // With sameNamesEachRun, the copies of one run after another have the same names: their
  // folder is the first free one of a few of fixed names, each taken by one run at a time.
  // What is made from the copies by name then comes out the same in every run (the PDF writer
  // orders a document's fonts by their files' names).
  explicit PrivateFontCopies(bool sameNamesEachRun) : sameNames_(sameNamesEachRun) {}
  // Removes the folder and every copy still in it.
  ~PrivateFontCopies();
  PrivateFontCopies(const PrivateFontCopies&) = delete;
  PrivateFontCopies& operator=(const PrivateFontCopies&) = delete;

  // The path of a new copy holding the bytes; empty when none can be written (no temporary
  // folder, a full disk).
  std::string Make(std::string_view bytes);
  void Remove(const std::string& copy);

 private:
  bool MakeFolder();
  // Takes the first free folder of fixed name; false when none can be taken.
  bool TakeFixedFolder();

  bool sameNames_ = false;
  int folderLock_ = -1;
  std::string folder_;
  unsigned long made_ = 0;
};

// Whether the file is a copy of this kind, of this run or another: the toolkit lists its faces
// among fontconfig's application fonts, where they are the added files' faces again.
bool IsPrivateFontCopy(const char* file);

// Removes the copy folders that runs killed before they could clean up left in the temporary
// folder: those whose process no longer runs.
void RemoveOrphanedFontCopies();

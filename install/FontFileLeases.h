#pragma once

#include <string>
#include <vector>

#include "install/FontFileEntry.h"

class IFontTable;

// Preview font files lent to the font table, so that a face can be shown or printed from its
// file, and taken back: the file of the face the page shows, and the files the last sheet of a
// preview print drew from. Each change is announced, so that windows resolve their fonts again.
class FontFileLeases {
 public:
  explicit FontFileLeases(IFontTable& table) : table_(table) {}

  // Takes back the file shown until now and lends path in its place.
  void Show(const std::string& path);
  void TakeBackShown();

  // Takes back what an earlier print lent; the faces printed next are read from dir.
  void StartPrinting(const std::string& dir);
  // Lends the face's file for printing, to be taken back by TakeBackPrinted.
  void LendForPrinting(const FontFace& face);
  // Takes back every printed face's file, with one announcement for them all.
  void TakeBackPrinted();

  const std::string& ShownFile() const { return shownFile_; }
  const std::vector<FontFace>& PrintedFaces() const { return printedFaces_; }
  const std::string& PrintedDir() const { return printedDir_; }

 private:
  IFontTable& table_;
  std::string shownFile_;
  std::vector<FontFace> printedFaces_;
  std::string printedDir_;
};

#include "install/FontFileLeases.h"

#include "platform/fonts/IFontTable.h"

void FontFileLeases::Show(const std::string& path) {
  TakeBackShown();
  table_.AddFontResource(path);
  table_.BroadcastFontChange();
  shownFile_ = path;
}

void FontFileLeases::TakeBackShown() {
  if (shownFile_.empty()) return;
  table_.RemoveFontResource(shownFile_);
  table_.BroadcastFontChange();
  shownFile_.clear();
}

void FontFileLeases::StartPrinting(const std::string& dir) {
  TakeBackPrinted();
  printedDir_ = dir;
}

void FontFileLeases::LendForPrinting(const FontFace& face) {
  table_.AddFontResource(printedDir_ + face.Entry->FileName);
  table_.BroadcastFontChange();
  // Only files actually added are recorded, so that nothing is removed that was not added.
  printedFaces_.push_back(face);
}

void FontFileLeases::TakeBackPrinted() {
  if (printedFaces_.empty()) return;
  // One announcement for them all: each one makes every window resolve its fonts again.
  for (const FontFace& face : printedFaces_) {
    table_.RemoveFontResource(printedDir_ + face.Entry->FileName);
  }
  printedFaces_.clear();
  table_.BroadcastFontChange();
}

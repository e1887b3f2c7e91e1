#pragma once

#include <memory>

class FreeTypeLibrary;
#include <string>

// Tells whether a face has a Microsoft symbol character map (platform 3, encoding 0), whose
// glyphs sit at U+F000 plus the code. Owns a FreeType library for its life, so that faces are
// opened cheaply.
class SymbolCharmap {
 public:
  SymbolCharmap();
  ~SymbolCharmap();
  SymbolCharmap(const SymbolCharmap&) = delete;
  SymbolCharmap& operator=(const SymbolCharmap&) = delete;

  // A file FreeType cannot open is taken as having none: one bad file must not fail a listing.
  bool Has(const std::string& file, int index) const;

 private:
  std::unique_ptr<FreeTypeLibrary> library_;
};

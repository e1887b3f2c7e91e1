#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A PDF object as far as the program reads one: where its text lies, and for a dictionary its
// entries, for an array its items, for a reference its object.
struct PdfValue {
  enum Kind { Other, Name, Number, Reference, Array, Dictionary } Type = Other;
  std::size_t Start = 0;
  std::size_t End = 0;
  std::string Text;  // a name without its slash
  long long Object = 0;
  long long Generation = 0;
  std::vector<std::pair<std::string, PdfValue>> Entries;
  std::vector<PdfValue> Items;

  const PdfValue* Find(const std::string& key) const {
    for (const auto& [name, value] : Entries) {
      if (name == key) return &value;
    }
    return nullptr;
  }
};

struct PdfObjectId {
  long long Number = 0;
  long long Generation = 0;
};

// A PDF file as the toolkit's writer makes it, read from its bytes: its cross-reference tables
// (a later section's entries standing over an earlier one's), its trailer and its objects.
// Throws PlatformError for a file it cannot read, one whose cross-references are streams too.
class PdfDocument {
 public:
  explicit PdfDocument(std::string_view pdf);

  const PdfValue& Trailer() const { return trailer_; }
  long long LastXref() const { return lastXref_; }
  // Where each object in use starts, by number.
  const std::map<long long, std::size_t>& Offsets() const { return offsets_; }
  std::string_view Text(const PdfValue& value) const { return Between(value.Start, value.End); }
  std::string_view Between(std::size_t start, std::size_t end) const {
    return pdf_.substr(start, end - start);
  }

  PdfValue Object(long long number) const;
  PdfValue Resolved(const PdfValue& value) const {
    return value.Type == PdfValue::Reference ? Object(value.Object) : value;
  }
  // What follows an object's value up to its "endobj": for a stream, the stream with its
  // keywords and bytes, measured by its /Length.
  std::string_view StreamOf(const PdfValue& object) const;

  // The pages in order, walking the page tree from the catalog.
  std::vector<PdfObjectId> Pages(const PdfValue& catalog) const;

 private:
  PdfValue ReadSection(std::size_t at);
  void AddPages(const PdfValue& node, std::vector<PdfObjectId>& pages,
                std::set<long long>& visited) const;

  std::string_view pdf_;
  long long lastXref_ = 0;
  std::map<long long, std::size_t> offsets_;
  PdfValue trailer_;
};

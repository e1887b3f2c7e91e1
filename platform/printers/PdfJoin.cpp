#include "platform/printers/PdfJoin.h"

#include <map>

#include "platform/PlatformError.h"
#include "platform/printers/PdfDocument.h"

namespace {

// The value's text with every reference in it renumbered by map.
void Renumber(const PdfDocument& document, const PdfValue& value,
              const std::map<long long, int>& map, std::string& out) {
  if (value.Type == PdfValue::Reference) {
    const auto mapped = map.find(value.Object);
    out += std::to_string(mapped == map.end() ? 0 : mapped->second) + " 0 R";
    return;
  }
  std::vector<const PdfValue*> parts;
  for (const auto& entry : value.Entries) parts.push_back(&entry.second);
  for (const PdfValue& item : value.Items) parts.push_back(&item);
  // What lies between the parts (brackets, keys, blanks) is copied as it is.
  std::size_t at = value.Start;
  for (const PdfValue* part : parts) {
    out += document.Between(at, part->Start);
    Renumber(document, *part, map, out);
    at = part->End;
  }
  out += document.Between(at, value.End);
}

}  // namespace

void PdfJoin::Put(std::string_view bytes) {
  if (!error_) error_ = write_(bytes);
  written_ += bytes.size();
}

void PdfJoin::BeginObject(int number) {
  if (offsets_.size() <= static_cast<std::size_t>(number)) offsets_.resize(number + 1, 0);
  offsets_[static_cast<std::size_t>(number)] = written_;
  Put(std::to_string(number) + " 0 obj");
}

int PdfJoin::AddObject(std::string_view body) {
  const int number = next_++;
  BeginObject(number);
  Put("\n");
  Put(body);
  Put("\nendobj\n");
  return number;
}

bool PdfJoin::Append(std::string_view pdf) {
  try {
    const PdfDocument document(pdf);
    const PdfValue* info = document.Trailer().Find("Info");
    const PdfValue* root = document.Trailer().Find("Root");
    if (root == nullptr || root->Type != PdfValue::Reference) return false;
    const PdfValue catalog = document.Object(root->Object);
    const PdfValue* pageTree = catalog.Find("Pages");
    if (pageTree == nullptr || pageTree->Type != PdfValue::Reference) return false;
    const long long infoNumber = info != nullptr ? info->Object : -1;
    // The document's information, catalog and page tree are the joined file's own; its other
    // objects take the next free numbers.
    std::map<long long, int> map{
        {infoNumber, kInfo}, {root->Object, kCatalog}, {pageTree->Object, kPageTree}};
    int next = next_;
    for (const auto& [number, offset] : document.Offsets()) {
      if (!map.count(number)) map[number] = next++;
    }
    if (!started_) {
      Put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
      started_ = true;
    }
    for (const auto& [number, offset] : document.Offsets()) {
      const PdfValue object = document.Object(number);
      if (number == infoNumber) {
        if (info_.empty()) info_ = "\n" + std::string(document.Text(object)) + "\n";
        continue;
      }
      if (number == root->Object || number == pageTree->Object) continue;
      std::string text = "\n";
      Renumber(document, object, map, text);
      text += document.StreamOf(object);
      BeginObject(map[number]);
      Put(text);
      Put("\nendobj\n");
    }
    for (const PdfObjectId& page : document.Pages(catalog)) pages_.push_back(map[page.Number]);
    next_ = next;
  } catch (const PlatformError&) {
    return false;
  }
  return true;
}

std::error_code PdfJoin::Finish() {
  std::string kids;
  for (const int page : pages_) kids += std::to_string(page) + " 0 R\n";
  BeginObject(kPageTree);
  Put("\n<<\n/Type /Pages\n/Kids \n[\n" + kids + "]\n/Count " + std::to_string(pages_.size()) +
      "\n/ProcSet [/PDF /Text /ImageB /ImageC]\n>>\nendobj\n");
  BeginObject(kCatalog);
  Put("\n<<\n/Type /Catalog\n/Pages 3 0 R\n" + catalogExtra_ + ">>\nendobj\n");
  BeginObject(kInfo);
  Put(info_.empty() ? std::string("\n<<\n>>\n") : info_);
  Put("endobj\n");
  const std::uint64_t xref = written_;
  std::string table = "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
  char entry[24];
  for (std::size_t i = 1; i < offsets_.size(); ++i) {
    std::snprintf(entry, sizeof entry, "%010llu 00000 %c \n",
                  static_cast<unsigned long long>(offsets_[i]), offsets_[i] ? 'n' : 'f');
    table += entry;
  }
  Put(table);
  Put("trailer\n<<\n/Size " + std::to_string(offsets_.size()) +
      "\n/Info 1 0 R\n/Root 2 0 R\n>>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n");
  return error_;
}

#include "platform/printers/PdfJoin.h"

#include <charconv>
#include <map>
#include <optional>

namespace {

std::optional<long> NumberAt(std::string_view text, std::size_t& at) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\n' || text[at] == '\r')) ++at;
  long number = 0;
  const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), number);
  if (error != std::errc()) return std::nullopt;
  at = static_cast<std::size_t>(end - text.data());
  return number;
}

// The number after key ("/Root 2 0 R" gives 2) in text; nothing when text has no such entry.
std::optional<long> ReferenceAfter(std::string_view text, std::string_view key) {
  std::size_t at = text.find(key);
  if (at == std::string_view::npos) return std::nullopt;
  at += key.size();
  return NumberAt(text, at);
}

struct Document {
  std::map<long, std::uint64_t> Offsets;  // object number, offset
  long Info = 0;
  long Catalog = 0;
};

// The objects and the trailer's references of a document, from its cross-reference table.
std::optional<Document> ReadDocument(std::string_view pdf) {
  const std::size_t start = pdf.rfind("startxref");
  if (start == std::string_view::npos) return std::nullopt;
  std::size_t at = start + 9;
  const std::optional<long> xref = NumberAt(pdf, at);
  if (!xref || *xref < 0 || static_cast<std::size_t>(*xref) >= pdf.size()) return std::nullopt;
  at = static_cast<std::size_t>(*xref);
  if (pdf.substr(at, 4) != "xref") return std::nullopt;
  at += 4;
  Document document;
  const std::optional<long> first = NumberAt(pdf, at);
  const std::optional<long> count = NumberAt(pdf, at);
  if (!first || !count || *count < 0) return std::nullopt;
  for (long i = 0; i < *count; ++i) {
    while (at < pdf.size() && (pdf[at] == '\n' || pdf[at] == '\r' || pdf[at] == ' ')) ++at;
    if (at + 18 > pdf.size()) return std::nullopt;
    std::uint64_t offset = 0;
    std::from_chars(pdf.data() + at, pdf.data() + at + 10, offset);
    if (pdf[at + 17] == 'n' && offset < pdf.size()) document.Offsets[*first + i] = offset;
    at += 18;
  }
  const std::string_view trailer = pdf.substr(at);
  document.Info = ReferenceAfter(trailer, "/Info").value_or(0);
  document.Catalog = ReferenceAfter(trailer, "/Root").value_or(0);
  if (document.Catalog == 0) return std::nullopt;
  return document;
}

// The text of object number at offset, from after "N 0 obj" up to its "endobj".
std::optional<std::string_view> ObjectBody(std::string_view pdf, long number,
                                           std::uint64_t offset) {
  const std::string head = std::to_string(number) + " 0 obj";
  if (pdf.substr(offset, head.size()) != head) return std::nullopt;
  const std::size_t begin = offset + head.size();
  std::size_t end = pdf.find("endobj", begin);
  // A stream's bytes may hold anything: its object ends after them.
  const std::size_t stream = pdf.find("stream", begin);
  if (stream != std::string_view::npos && stream < end) {
    end = pdf.find("endobj", pdf.find("endstream", stream + 6));
  }
  if (end == std::string_view::npos) return std::nullopt;
  return pdf.substr(begin, end - begin);
}

// The object's text with every reference "N 0 R" outside its stream renumbered by map.
std::string Renumbered(std::string_view body, const std::map<long, int>& map) {
  std::size_t dictionaryEnd = body.find(">>\nstream");
  if (dictionaryEnd == std::string_view::npos) dictionaryEnd = body.find(">>stream");
  dictionaryEnd = dictionaryEnd == std::string_view::npos ? body.size() : dictionaryEnd;
  std::string out;
  out.reserve(body.size() + 16);
  std::size_t at = 0;
  while (at < dictionaryEnd) {
    const char c = body[at];
    const bool starts =
        c >= '0' && c <= '9' && (at == 0 || !(body[at - 1] >= '0' && body[at - 1] <= '9'));
    if (starts) {
      std::size_t after = at;
      const std::optional<long> number = NumberAt(body, after);
      if (number && body.substr(after, 4) == " 0 R") {
        const auto mapped = map.find(*number);
        out += std::to_string(mapped == map.end() ? 0 : mapped->second);
        out += " 0 R";
        at = after + 4;
        continue;
      }
    }
    out += c;
    ++at;
  }
  out.append(body.substr(dictionaryEnd));
  return out;
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
  const std::optional<Document> document = ReadDocument(pdf);
  if (!document) return false;
  const auto catalog = document->Offsets.find(document->Catalog);
  if (catalog == document->Offsets.end()) return false;
  const std::optional<std::string_view> catalogBody =
      ObjectBody(pdf, catalog->first, catalog->second);
  if (!catalogBody) return false;
  const long pageTree = ReferenceAfter(*catalogBody, "/Pages").value_or(0);
  // The document's information, catalog and page tree are the joined file's own; its other
  // objects take the next free numbers.
  std::map<long, int> map{
      {document->Info, kInfo}, {document->Catalog, kCatalog}, {pageTree, kPageTree}};
  int next = next_;
  for (const auto& [number, offset] : document->Offsets) {
    if (!map.count(number)) map[number] = next++;
  }
  if (!started_) {
    Put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    started_ = true;
  }
  for (const auto& [number, offset] : document->Offsets) {
    const std::optional<std::string_view> body = ObjectBody(pdf, number, offset);
    if (!body) return false;
    if (number == document->Info) {
      if (info_.empty()) info_ = *body;
      continue;
    }
    if (number == document->Catalog || number == pageTree) continue;
    const int renumbered = map[number];
    const std::string text = Renumbered(*body, map);
    BeginObject(renumbered);
    Put(text);
    Put("endobj\n");
    if (text.find("/Type /Page\n") != std::string::npos) pages_.push_back(renumbered);
  }
  next_ = next;
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

#include "platform/printers/PdfDocument.h"

#include <cctype>
#include <cstring>

#include "platform/PlatformError.h"

namespace {
[[noreturn]] void Unreadable() {
  throw PlatformError("The PDF document could not be read");
}

bool IsSpace(char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool IsDelimiter(char c) {
  return IsSpace(c) || std::strchr("()<>[]{}/%", c) != nullptr;
}

class Parser {
 public:
  Parser(std::string_view text, std::size_t at) : text_(text), at_(at) {}

  std::size_t At() const { return at_; }

  void SkipSpace() {
    while (at_ < text_.size()) {
      if (IsSpace(text_[at_])) {
        ++at_;
      } else if (text_[at_] == '%') {
        while (at_ < text_.size() && text_[at_] != '\n' && text_[at_] != '\r') ++at_;
      } else {
        return;
      }
    }
  }

  std::string Word() {
    SkipSpace();
    const std::size_t start = at_;
    while (at_ < text_.size() && !IsDelimiter(text_[at_])) ++at_;
    return std::string(text_.substr(start, at_ - start));
  }

  long long Integer() {
    const std::string word = Word();
    if (word.empty() || word.find_first_not_of("+-0123456789") != std::string::npos) Unreadable();
    return std::stoll(word);
  }

  PdfValue Parse(int depth = 0) {
    if (depth > 64) Unreadable();
    SkipSpace();
    if (at_ >= text_.size()) Unreadable();
    PdfValue value;
    value.Start = at_;
    const char c = text_[at_];
    if (text_.substr(at_, 2) == "<<") {
      at_ += 2;
      value.Type = PdfValue::Dictionary;
      for (SkipSpace(); text_.substr(at_, 2) != ">>"; SkipSpace()) {
        PdfValue key = Parse(depth + 1);
        if (key.Type != PdfValue::Name) Unreadable();
        value.Entries.emplace_back(key.Text, Parse(depth + 1));
      }
      at_ += 2;
    } else if (c == '[') {
      ++at_;
      value.Type = PdfValue::Array;
      for (SkipSpace(); at_ < text_.size() && text_[at_] != ']'; SkipSpace()) {
        value.Items.push_back(Parse(depth + 1));
      }
      ++at_;
    } else if (c == '(') {
      SkipLiteralString();
    } else if (c == '<') {
      while (at_ < text_.size() && text_[at_] != '>') ++at_;
      ++at_;
    } else if (c == '/') {
      ++at_;
      value.Type = PdfValue::Name;
      while (at_ < text_.size() && !IsDelimiter(text_[at_])) value.Text += text_[at_++];
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
      value.Type = PdfValue::Number;
      value.Text = Word();
      TakeReference(value);
    } else {
      value.Text = Word();
      if (value.Text.empty()) Unreadable();
    }
    if (at_ > text_.size()) Unreadable();
    value.End = at_;
    return value;
  }

 private:
  void SkipLiteralString() {
    int open = 0;
    for (; at_ < text_.size(); ++at_) {
      if (text_[at_] == '\\') {
        ++at_;
      } else if (text_[at_] == '(') {
        ++open;
      } else if (text_[at_] == ')' && --open == 0) {
        ++at_;
        return;
      }
    }
    Unreadable();
  }

  // "12 0 R" is one value, a reference.
  void TakeReference(PdfValue& value) {
    const std::size_t after = at_;
    const std::string generation = Word();
    const std::string r = Word();
    if (r == "R" && !generation.empty() &&
        generation.find_first_not_of("0123456789") == std::string::npos &&
        value.Text.find_first_not_of("0123456789") == std::string::npos) {
      value.Type = PdfValue::Reference;
      value.Object = std::stoll(value.Text);
      value.Generation = std::stoll(generation);
      return;
    }
    at_ = after;
  }

  std::string_view text_;
  std::size_t at_;
};

}  // namespace

PdfDocument::PdfDocument(std::string_view pdf) : pdf_(pdf) {
  const std::size_t startxref = pdf.rfind("startxref");
  if (startxref == std::string_view::npos) Unreadable();
  Parser tail(pdf, startxref + std::strlen("startxref"));
  lastXref_ = tail.Integer();
  std::set<long long> seen;
  for (long long at = lastXref_; at >= 0;) {
    if (!seen.insert(at).second || static_cast<std::size_t>(at) >= pdf.size()) Unreadable();
    PdfValue trailer = ReadSection(static_cast<std::size_t>(at));
    const PdfValue* previous = trailer.Find("Prev");
    at =
        previous != nullptr && previous->Type == PdfValue::Number ? std::stoll(previous->Text) : -1;
    if (trailer_.Type != PdfValue::Dictionary) trailer_ = std::move(trailer);
  }
}

PdfValue PdfDocument::Object(long long number) const {
  const auto found = offsets_.find(number);
  if (found == offsets_.end()) Unreadable();
  Parser parser(pdf_, found->second);
  parser.Integer();
  parser.Integer();
  if (parser.Word() != "obj") Unreadable();
  return parser.Parse();
}

std::string_view PdfDocument::StreamOf(const PdfValue& object) const {
  Parser parser(pdf_, object.End);
  if (object.Type != PdfValue::Dictionary || parser.Word() != "stream") return {};
  std::size_t data = parser.At();
  if (data < pdf_.size() && pdf_[data] == '\r') ++data;
  if (data < pdf_.size() && pdf_[data] == '\n') ++data;
  const PdfValue* length = object.Find("Length");
  if (length == nullptr) Unreadable();
  const PdfValue size = Resolved(*length);
  if (size.Type != PdfValue::Number) Unreadable();
  Parser after(pdf_, data + static_cast<std::size_t>(std::stoll(size.Text)));
  if (after.Word() != "endstream") Unreadable();
  return pdf_.substr(object.End, after.At() - object.End);
}

std::vector<PdfObjectId> PdfDocument::Pages(const PdfValue& catalog) const {
  std::vector<PdfObjectId> pages;
  const PdfValue* root = catalog.Find("Pages");
  if (root == nullptr || root->Type != PdfValue::Reference) Unreadable();
  std::set<long long> visited;
  AddPages(*root, pages, visited);
  return pages;
}

PdfValue PdfDocument::ReadSection(std::size_t at) {
  Parser parser(pdf_, at);
  if (parser.Word() != "xref") Unreadable();
  for (;;) {
    const std::string word = parser.Word();
    if (word == "trailer") return parser.Parse();
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos) Unreadable();
    const long long first = std::stoll(word);
    const long long count = parser.Integer();
    for (long long i = 0; i < count; ++i) {
      const long long offset = parser.Integer();
      parser.Integer();
      const std::string use = parser.Word();
      if (use == "n") offsets_.emplace(first + i, static_cast<std::size_t>(offset));
    }
  }
}

void PdfDocument::AddPages(const PdfValue& node, std::vector<PdfObjectId>& pages,
                           std::set<long long>& visited) const {
  if (node.Type != PdfValue::Reference || !visited.insert(node.Object).second) Unreadable();
  const PdfValue dictionary = Object(node.Object);
  const PdfValue* kids = dictionary.Find("Kids");
  const PdfValue* type = dictionary.Find("Type");
  if (type != nullptr && type->Text == "Page") {
    pages.push_back({node.Object, node.Generation});
    return;
  }
  if (kids == nullptr) Unreadable();
  for (const PdfValue& kid : Resolved(*kids).Items) AddPages(kid, pages, visited);
}

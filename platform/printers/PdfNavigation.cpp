#include "platform/printers/PdfNavigation.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "platform/PlatformError.h"

namespace {

// A PDF object as far as the update reads one: where its text lies, and for a dictionary its
// entries, for an array its items, for a reference its object.
struct Value {
  enum Kind { Other, Name, Number, Reference, Array, Dictionary } Type = Other;
  std::size_t Start = 0;
  std::size_t End = 0;
  std::string Text;  // a name without its slash
  long long Object = 0;
  long long Generation = 0;
  std::vector<std::pair<std::string, Value>> Entries;
  std::vector<Value> Items;

  const Value* Find(const std::string& key) const {
    for (const auto& [name, value] : Entries) {
      if (name == key) return &value;
    }
    return nullptr;
  }
};

[[noreturn]] void Unreadable() {
  throw PlatformError("The PDF document could not be read to add its bookmarks");
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

  Value Parse(int depth = 0) {
    if (depth > 64) Unreadable();
    SkipSpace();
    if (at_ >= text_.size()) Unreadable();
    Value value;
    value.Start = at_;
    const char c = text_[at_];
    if (text_.substr(at_, 2) == "<<") {
      at_ += 2;
      value.Type = Value::Dictionary;
      for (SkipSpace(); text_.substr(at_, 2) != ">>"; SkipSpace()) {
        Value key = Parse(depth + 1);
        if (key.Type != Value::Name) Unreadable();
        value.Entries.emplace_back(key.Text, Parse(depth + 1));
      }
      at_ += 2;
    } else if (c == '[') {
      ++at_;
      value.Type = Value::Array;
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
      value.Type = Value::Name;
      while (at_ < text_.size() && !IsDelimiter(text_[at_])) value.Text += text_[at_++];
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
      value.Type = Value::Number;
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
  void TakeReference(Value& value) {
    const std::size_t after = at_;
    const std::string generation = Word();
    const std::string r = Word();
    if (r == "R" && !generation.empty() &&
        generation.find_first_not_of("0123456789") == std::string::npos &&
        value.Text.find_first_not_of("0123456789") == std::string::npos) {
      value.Type = Value::Reference;
      value.Object = std::stoll(value.Text);
      value.Generation = std::stoll(generation);
      return;
    }
    at_ = after;
  }

  std::string_view text_;
  std::size_t at_;
};

struct ObjectId {
  long long Number = 0;
  long long Generation = 0;
};

class Document {
 public:
  explicit Document(std::string_view pdf) : pdf_(pdf) {
    const std::size_t startxref = pdf.rfind("startxref");
    if (startxref == std::string_view::npos) Unreadable();
    Parser tail(pdf, startxref + std::strlen("startxref"));
    lastXref_ = tail.Integer();
    std::set<long long> seen;
    for (long long at = lastXref_; at >= 0;) {
      if (!seen.insert(at).second || static_cast<std::size_t>(at) >= pdf.size()) Unreadable();
      Value trailer = ReadSection(static_cast<std::size_t>(at));
      const Value* previous = trailer.Find("Prev");
      at = previous != nullptr && previous->Type == Value::Number ? std::stoll(previous->Text) : -1;
      if (trailer_.Type != Value::Dictionary) trailer_ = std::move(trailer);
    }
  }

  const Value& Trailer() const { return trailer_; }
  long long LastXref() const { return lastXref_; }
  std::string_view Text(const Value& value) const {
    return pdf_.substr(value.Start, value.End - value.Start);
  }

  Value Object(long long number) const {
    const auto found = offsets_.find(number);
    if (found == offsets_.end()) Unreadable();
    Parser parser(pdf_, found->second);
    parser.Integer();
    parser.Integer();
    if (parser.Word() != "obj") Unreadable();
    return parser.Parse();
  }

  Value Resolved(const Value& value) const {
    return value.Type == Value::Reference ? Object(value.Object) : value;
  }

  // The pages in order, walking the page tree from the catalog.
  std::vector<ObjectId> Pages(const Value& catalog) const {
    std::vector<ObjectId> pages;
    const Value* root = catalog.Find("Pages");
    if (root == nullptr || root->Type != Value::Reference) Unreadable();
    std::set<long long> visited;
    AddPages(*root, pages, visited);
    return pages;
  }

 private:
  // One cross-reference section at the offset; gives its trailer. Entries of later sections,
  // read first, stand.
  Value ReadSection(std::size_t at) {
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

  void AddPages(const Value& node, std::vector<ObjectId>& pages,
                std::set<long long>& visited) const {
    if (node.Type != Value::Reference || !visited.insert(node.Object).second) Unreadable();
    const Value dictionary = Object(node.Object);
    const Value* kids = dictionary.Find("Kids");
    const Value* type = dictionary.Find("Type");
    if (type != nullptr && type->Text == "Page") {
      pages.push_back({node.Object, node.Generation});
      return;
    }
    if (kids == nullptr) Unreadable();
    for (const Value& kid : Resolved(*kids).Items) AddPages(kid, pages, visited);
  }

  std::string_view pdf_;
  long long lastXref_ = 0;
  std::map<long long, std::size_t> offsets_;
  Value trailer_;
};

std::string Reference(const ObjectId& id) {
  return std::to_string(id.Number) + " " + std::to_string(id.Generation) + " R";
}

std::string Points(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// A text string as UTF-16BE with its byte order mark, in hex: any title, no escaping.
std::string TextString(const std::string& utf8) {
  std::string hex = "<FEFF";
  const auto unit = [&hex](unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    hex += text;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    char32_t c = length == 1   ? byte
                 : length == 2 ? byte & 0x1F
                 : length == 3 ? byte & 0x0F
                               : byte & 0x07;
    for (int k = 1; k < length && i + k < utf8.size(); ++k) {
      c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    if (c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(static_cast<unsigned>(c));
    }
  }
  return hex + ">";
}

// A dictionary's text again, without the keys given, with the extra entries at its end.
std::string Rewritten(const Document& document, const Value& dictionary,
                      const std::set<std::string>& dropped, const std::string& extra) {
  std::string text = "<<";
  for (const auto& [key, value] : dictionary.Entries) {
    if (dropped.count(key) != 0) continue;
    text += " /" + key + " ";
    text += document.Text(value);
  }
  return text + extra + " >>";
}

struct OutlineNode {
  int Bookmark = -1;
  long long Number = 0;
  std::vector<int> Children;  // indexes into the nodes
  int Parent = -1;
  int Visible = 0;  // the descendants an open outline shows
};

}  // namespace

std::string PdfNavigation::Update(std::string_view pdf, const std::vector<Bookmark>& bookmarks,
                                  const std::vector<Link>& links) {
  if (bookmarks.empty() && links.empty()) return {};
  const Document document(pdf);
  const Value* rootRef = document.Trailer().Find("Root");
  const Value* size = document.Trailer().Find("Size");
  if (rootRef == nullptr || rootRef->Type != Value::Reference || size == nullptr) Unreadable();
  const Value catalog = document.Object(rootRef->Object);
  const std::vector<ObjectId> pages = document.Pages(catalog);
  const auto pageRef = [&pages](int page) {
    if (page < 0 || page >= static_cast<int>(pages.size()))
      throw PlatformError("The PDF document has no page " + std::to_string(page + 1));
    return Reference(pages[static_cast<std::size_t>(page)]);
  };

  long long next = std::stoll(size->Text);
  std::map<long long, std::string> objects;  // by number, the new text of each
  std::map<long long, long long> generations;

  // The outline: node 0 is its root, then one node per bookmark under the last shallower one.
  std::vector<OutlineNode> nodes(1);
  if (!bookmarks.empty()) {
    std::vector<std::pair<int, int>> open{{-1, 0}};  // (level, node)
    for (std::size_t i = 0; i < bookmarks.size(); ++i) {
      while (open.back().first >= bookmarks[i].Level) open.pop_back();
      OutlineNode node;
      node.Bookmark = static_cast<int>(i);
      node.Parent = open.back().second;
      nodes.push_back(node);
      const int index = static_cast<int>(nodes.size()) - 1;
      nodes[static_cast<std::size_t>(node.Parent)].Children.push_back(index);
      open.emplace_back(bookmarks[i].Level, index);
    }
    for (OutlineNode& node : nodes) node.Number = next++;
    for (std::size_t i = nodes.size(); i-- > 0;) {
      for (int child : nodes[i].Children) {
        nodes[i].Visible += 1 + nodes[static_cast<std::size_t>(child)].Visible;
      }
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      const OutlineNode& node = nodes[i];
      std::string text = "<<";
      if (i == 0) {
        text += " /Type /Outlines";
      } else {
        const Bookmark& mark = bookmarks[static_cast<std::size_t>(node.Bookmark)];
        const OutlineNode& parent = nodes[static_cast<std::size_t>(node.Parent)];
        text += " /Title " + TextString(mark.Title);
        text += " /Parent " + std::to_string(parent.Number) + " 0 R";
        const auto at = std::find(parent.Children.begin(), parent.Children.end(), i);
        if (at != parent.Children.begin())
          text += " /Prev " + std::to_string(nodes[static_cast<std::size_t>(*(at - 1))].Number) +
                  " 0 R";
        if (at + 1 != parent.Children.end())
          text += " /Next " + std::to_string(nodes[static_cast<std::size_t>(*(at + 1))].Number) +
                  " 0 R";
        text += " /Dest [" + pageRef(mark.Page) + " /XYZ null null null]";
      }
      if (!node.Children.empty()) {
        text += " /First " +
                std::to_string(nodes[static_cast<std::size_t>(node.Children.front())].Number) +
                " 0 R";
        text += " /Last " +
                std::to_string(nodes[static_cast<std::size_t>(node.Children.back())].Number) +
                " 0 R";
        text += " /Count " + std::to_string(node.Visible);
      }
      objects[node.Number] = text + " >>";
    }
  }

  // The links, as annotations of the pages they are on.
  std::map<int, std::vector<long long>> annotations;
  for (const Link& link : links) {
    pageRef(link.FromPage);
    const long long number = next++;
    objects[number] = "<< /Type /Annot /Subtype /Link /Rect [" + Points(link.Left) + " " +
                      Points(link.Bottom) + " " + Points(link.Right) + " " + Points(link.Top) +
                      "] /Border [0 0 0] /Dest [" + pageRef(link.ToPage) +
                      " /XYZ null null null] >>";
    annotations[link.FromPage].push_back(number);
  }
  for (const auto& [page, numbers] : annotations) {
    const ObjectId id = pages[static_cast<std::size_t>(page)];
    const Value dictionary = document.Object(id.Number);
    std::string list = " /Annots [";
    if (const Value* existing = dictionary.Find("Annots")) {
      for (const Value& item : document.Resolved(*existing).Items) {
        list += std::string(document.Text(item)) + " ";
      }
    }
    for (long long number : numbers) list += std::to_string(number) + " 0 R ";
    list += "]";
    objects[id.Number] = Rewritten(document, dictionary, {"Annots"}, list);
    generations[id.Number] = id.Generation;
  }
  if (!bookmarks.empty()) {
    objects[rootRef->Object] =
        Rewritten(document, catalog, {"Outlines", "PageMode"},
                  " /Outlines " + std::to_string(nodes[0].Number) + " 0 R /PageMode /UseOutlines");
    generations[rootRef->Object] = rootRef->Generation;
  }

  // The objects, then their cross-references in runs of consecutive numbers, then the trailer.
  std::string update;
  if (!pdf.empty() && pdf.back() != '\n' && pdf.back() != '\r') update += '\n';
  std::map<long long, std::size_t> offsets;
  for (const auto& [number, text] : objects) {
    offsets[number] = pdf.size() + update.size();
    update += std::to_string(number) + " " + std::to_string(generations[number]) + " obj\n" + text +
              "\nendobj\n";
  }
  const std::size_t xref = pdf.size() + update.size();
  update += "xref\n";
  for (auto run = offsets.begin(); run != offsets.end();) {
    auto end = run;
    long long expected = run->first;
    while (end != offsets.end() && end->first == expected) {
      ++end;
      ++expected;
    }
    update += std::to_string(run->first) + " " + std::to_string(expected - run->first) + "\n";
    for (; run != end; ++run) {
      char entry[32];
      std::snprintf(entry, sizeof entry, "%010zu %05lld n \n", run->second,
                    generations[run->first]);
      update += entry;
    }
  }
  update += "trailer\n<< /Size " + std::to_string(next) + " /Root " +
            std::string(document.Text(*rootRef));
  for (const char* kept : {"Info", "ID"}) {
    if (const Value* value = document.Trailer().Find(kept)) {
      update += " /" + std::string(kept) + " " + std::string(document.Text(*value));
    }
  }
  update += " /Prev " + std::to_string(document.LastXref()) + " >>\nstartxref\n" +
            std::to_string(xref) + "\n%%EOF\n";
  return update;
}

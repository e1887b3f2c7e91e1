#include "platform/printers/PdfNavigation.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "platform/PlatformError.h"
#include "platform/printers/PdfDocument.h"

namespace {

std::string Reference(const PdfObjectId& id) {
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
std::string Rewritten(const PdfDocument& document, const PdfValue& dictionary,
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
  const PdfDocument document(pdf);
  const PdfValue* rootRef = document.Trailer().Find("Root");
  const PdfValue* size = document.Trailer().Find("Size");
  if (rootRef == nullptr || rootRef->Type != PdfValue::Reference || size == nullptr) {
    throw PlatformError("The PDF document could not be read to add its bookmarks");
  }
  const PdfValue catalog = document.Object(rootRef->Object);
  const std::vector<PdfObjectId> pages = document.Pages(catalog);
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
    const PdfObjectId id = pages[static_cast<std::size_t>(page)];
    const PdfValue dictionary = document.Object(id.Number);
    std::string list = " /Annots [";
    if (const PdfValue* existing = dictionary.Find("Annots")) {
      for (const PdfValue& item : document.Resolved(*existing).Items) {
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
    if (const PdfValue* value = document.Trailer().Find(kept)) {
      update += " /" + std::string(kept) + " " + std::string(document.Text(*value));
    }
  }
  update += " /Prev " + std::to_string(document.LastXref()) + " >>\nstartxref\n" +
            std::to_string(xref) + "\n%%EOF\n";
  return update;
}

#include "platform/fonts/UnhintedSfnt.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "platform/fonts/BigEndian.h"
#include "platform/fonts/SfntTables.h"

namespace {

constexpr std::size_t kOffsetTable = 12;
constexpr std::size_t kTableRecord = 16;
constexpr std::size_t kHeadLength = 54;
constexpr std::size_t kHeadChecksumAdjustment = 8;
constexpr std::size_t kHeadLocaFormat = 50;

// The tables that only hinting reads.
constexpr std::string_view kHintingTables[] = {"fpgm", "prep", "cvt ", "hdmx", "LTSH", "VDMX"};

// Composite glyph flags.
constexpr std::uint16_t kArgsAreWords = 0x0001;
constexpr std::uint16_t kHaveScale = 0x0008;
constexpr std::uint16_t kMoreComponents = 0x0020;
constexpr std::uint16_t kHaveXYScale = 0x0040;
constexpr std::uint16_t kHaveTwoByTwo = 0x0080;
constexpr std::uint16_t kHaveInstructions = 0x0100;

// Name IDs of a family: the legacy one, the typographic one and the WWS one.
constexpr std::uint16_t kFamilyIds[] = {1, 16, 21};

using Tables = std::map<std::string, std::string, std::less<>>;

const unsigned char* Bytes(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

void Put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value >> 8 & 0xFF));
  out.push_back(static_cast<char>(value & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value >> 16);
  Put16(out, value & 0xFFFF);
}

void Set16(std::string& out, std::size_t at, std::uint32_t value) {
  out[at] = static_cast<char>(value >> 8 & 0xFF);
  out[at + 1] = static_cast<char>(value & 0xFF);
}

void Set32(std::string& out, std::size_t at, std::uint32_t value) {
  Set16(out, at, value >> 16);
  Set16(out, at + 2, value & 0xFFFF);
}

std::optional<Tables> ReadTables(std::string_view sfnt) {
  const std::optional<std::vector<SfntTable>> read = ReadSfntTables(sfnt);
  if (!read) return std::nullopt;
  Tables tables;
  for (const SfntTable& table : *read) tables.emplace(table.Tag, std::string(table.Bytes));
  return tables;
}

// A simple glyph without its instructions; nullopt when it is damaged.
std::optional<std::string> SimpleGlyph(std::string_view glyph, std::size_t contours) {
  const std::size_t lengthAt = 10 + 2 * contours;
  if (lengthAt + 2 > glyph.size()) return std::nullopt;
  const std::size_t instructions = U16At(Bytes(glyph) + lengthAt);
  if (lengthAt + 2 + instructions > glyph.size()) return std::nullopt;
  std::string out(glyph.substr(0, lengthAt));
  Put16(out, 0);
  out.append(glyph.substr(lengthAt + 2 + instructions));
  return out;
}

// A composite glyph's components, without the instructions that may follow them.
std::optional<std::string> CompositeGlyph(std::string_view glyph) {
  std::string out(glyph);
  std::size_t at = 10;
  std::uint16_t flags = kMoreComponents;
  while ((flags & kMoreComponents) != 0) {
    if (at + 4 > glyph.size()) return std::nullopt;
    flags = U16At(Bytes(glyph) + at);
    Set16(out, at, flags & ~kHaveInstructions);
    at += 4 + ((flags & kArgsAreWords) != 0 ? 4 : 2);
    if ((flags & kHaveScale) != 0) at += 2;
    if ((flags & kHaveXYScale) != 0) at += 4;
    if ((flags & kHaveTwoByTwo) != 0) at += 8;
  }
  if (at > glyph.size()) return std::nullopt;
  out.resize(at);
  return out;
}

// Takes the instructions out of every glyph; the glyphs are then indexed by long offsets. The
// profile's largest instruction size stays: a face with none, and no programs, is hinted by
// FreeType's autohinter instead.
bool RemoveInstructions(Tables& tables) {
  for (std::string_view tag : kHintingTables) {
    if (const auto found = tables.find(tag); found != tables.end()) tables.erase(found);
  }
  const auto glyf = tables.find("glyf");
  const auto loca = tables.find("loca");
  const auto head = tables.find("head");
  const auto maxp = tables.find("maxp");
  if (glyf == tables.end() || loca == tables.end()) return true;  // no TrueType outlines
  if (head == tables.end() || head->second.size() < kHeadLength || maxp == tables.end() ||
      maxp->second.size() < 6) {
    return false;
  }
  const bool longOffsets = U16At(Bytes(head->second) + kHeadLocaFormat) != 0;
  const std::size_t glyphs = U16At(Bytes(maxp->second) + 4);
  const std::string_view offsets = loca->second;
  if (offsets.size() < (glyphs + 1) * (longOffsets ? 4 : 2)) return false;
  const auto offsetOf = [&](std::size_t i) -> std::size_t {
    return longOffsets ? U32At(Bytes(offsets) + 4 * i)
                       : 2 * std::size_t{U16At(Bytes(offsets) + 2 * i)};
  };
  const std::string_view outlines = glyf->second;
  std::string newGlyf;
  std::string newLoca;
  newGlyf.reserve(outlines.size());
  for (std::size_t i = 0; i < glyphs; ++i) {
    Put32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));
    const std::size_t from = offsetOf(i);
    const std::size_t to = offsetOf(i + 1);
    if (to < from || to > outlines.size()) return false;
    if (to == from) continue;
    const std::string_view glyph = outlines.substr(from, to - from);
    if (glyph.size() < 10) return false;
    const auto contours = static_cast<std::int16_t>(U16At(Bytes(glyph)));
    const std::optional<std::string> bare =
        contours >= 0 ? SimpleGlyph(glyph, static_cast<std::size_t>(contours))
                      : CompositeGlyph(glyph);
    if (!bare) return false;
    newGlyf += *bare;
    newGlyf.resize((newGlyf.size() + 3) & ~std::size_t{3}, '\0');
  }
  Put32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));
  glyf->second = std::move(newGlyf);
  loca->second = std::move(newLoca);
  Set16(head->second, kHeadLocaFormat, 1);
  return true;
}

struct NameRecord {
  std::uint16_t Platform = 0;
  std::uint16_t Encoding = 0;
  std::uint16_t Language = 0;
  std::uint16_t Id = 0;
  std::string Text;
  auto Key() const { return std::tie(Platform, Encoding, Language, Id); }
};

// The name table with the family replaced; nullopt when it is damaged.
std::optional<std::string> RenamedFamily(std::string_view name, std::string_view family) {
  std::vector<NameRecord> records;
  if (name.size() >= 6) {
    const std::size_t count = U16At(Bytes(name) + 2);
    const std::size_t strings = U16At(Bytes(name) + 4);
    if (6 + count * 12 > name.size()) return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) {
      const unsigned char* record = Bytes(name) + 6 + i * 12;
      NameRecord kept{U16At(record), U16At(record + 2), U16At(record + 4), U16At(record + 6), {}};
      if (std::find(std::begin(kFamilyIds), std::end(kFamilyIds), kept.Id) != std::end(kFamilyIds))
        continue;
      const std::size_t at = strings + U16At(record + 10);
      const std::size_t length = U16At(record + 8);
      if (at + length > name.size()) return std::nullopt;
      kept.Text = std::string(name.substr(at, length));
      records.push_back(std::move(kept));
    }
  }
  NameRecord added{3, 1, 0x409, 1, {}};
  for (const char letter : family) Put16(added.Text, static_cast<unsigned char>(letter));
  records.push_back(std::move(added));
  std::stable_sort(records.begin(), records.end(),
                   [](const NameRecord& a, const NameRecord& b) { return a.Key() < b.Key(); });
  if (6 + records.size() * 12 > 0xFFFF) return std::nullopt;
  std::string out;
  Put16(out, 0);
  Put16(out, static_cast<std::uint32_t>(records.size()));
  Put16(out, static_cast<std::uint32_t>(6 + records.size() * 12));
  std::string strings;
  for (const NameRecord& record : records) {
    if (strings.size() + record.Text.size() > 0xFFFF) return std::nullopt;
    for (const std::uint16_t field : {record.Platform, record.Encoding, record.Language, record.Id})
      Put16(out, field);
    Put16(out, static_cast<std::uint32_t>(record.Text.size()));
    Put16(out, static_cast<std::uint32_t>(strings.size()));
    strings += record.Text;
  }
  return out + strings;
}

std::uint32_t Checksum(std::string_view bytes) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 4) {
    std::uint32_t word = 0;
    for (std::size_t b = 0; b < 4; ++b) {
      word = word << 8 | (i + b < bytes.size() ? Bytes(bytes)[i + b] : 0U);
    }
    sum += word;
  }
  return sum;
}

std::string Assemble(std::string_view version, Tables& tables) {
  if (const auto head = tables.find("head"); head != tables.end() && head->second.size() >= 12) {
    Set32(head->second, kHeadChecksumAdjustment, 0);
  }
  const std::size_t count = tables.size();
  std::size_t power = 1;
  while (power * 2 <= count) power *= 2;
  std::size_t log2 = 0;
  while ((std::size_t{1} << (log2 + 1)) <= power) ++log2;
  std::string out(version);
  Put16(out, static_cast<std::uint32_t>(count));
  Put16(out, static_cast<std::uint32_t>(power * 16));
  Put16(out, static_cast<std::uint32_t>(log2));
  Put16(out, static_cast<std::uint32_t>(count * 16 - power * 16));
  std::size_t offset = kOffsetTable + count * kTableRecord;
  for (const auto& [tag, bytes] : tables) {  // the map keeps the tags in order
    out += tag;
    Put32(out, Checksum(bytes));
    Put32(out, static_cast<std::uint32_t>(offset));
    Put32(out, static_cast<std::uint32_t>(bytes.size()));
    offset += (bytes.size() + 3) & ~std::size_t{3};
  }
  std::size_t headAt = 0;
  for (const auto& [tag, bytes] : tables) {
    if (tag == "head" && bytes.size() >= kHeadChecksumAdjustment + 4) headAt = out.size();
    out += bytes;
    out.resize((out.size() + 3) & ~std::size_t{3}, '\0');
  }
  if (headAt != 0) Set32(out, headAt + kHeadChecksumAdjustment, 0xB1B0AFBA - Checksum(out));
  return out;
}

}  // namespace

namespace UnhintedSfnt {

std::optional<std::string> Make(std::string_view sfnt, std::string_view family) {
  std::optional<Tables> tables = ReadTables(sfnt);
  if (!tables || !RemoveInstructions(*tables)) return std::nullopt;
  const auto name = tables->find("name");
  std::optional<std::string> renamed =
      RenamedFamily(name == tables->end() ? std::string_view() : name->second, family);
  if (!renamed) return std::nullopt;
  (*tables)["name"] = std::move(*renamed);
  return Assemble(sfnt.substr(0, 4), *tables);
}

bool HasHinting(std::string_view sfnt) {
  const std::optional<std::vector<SfntTable>> tables = ReadSfntTables(sfnt);
  if (!tables) return false;
  const auto has = [&tables](std::string_view tag) {
    return std::any_of(tables->begin(), tables->end(),
                       [tag](const SfntTable& table) { return table.Tag == tag; });
  };
  return has("glyf") && (has("fpgm") || has("prep"));
}

}  // namespace UnhintedSfnt

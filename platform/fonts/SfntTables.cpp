#include "platform/fonts/SfntTables.h"

#include <cstdint>

#include "platform/fonts/BigEndian.h"

namespace {

constexpr std::size_t kOffsetTable = 12;
constexpr std::size_t kTableRecord = 16;

}  // namespace

std::optional<std::vector<SfntTable>> ReadSfntTables(std::string_view bytes, std::size_t at) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  if (at > bytes.size() || bytes.size() - at < kOffsetTable) return std::nullopt;
  const std::size_t count = U16At(data + at + 4);
  if (at + kOffsetTable + count * kTableRecord > bytes.size()) return std::nullopt;
  std::vector<SfntTable> tables;
  tables.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t record = at + kOffsetTable + i * kTableRecord;
    const std::uint64_t offset = U32At(data + record + 8);
    const std::uint64_t length = U32At(data + record + 12);
    if (offset + length > bytes.size()) return std::nullopt;
    tables.push_back({std::string(bytes.substr(record, 4)), bytes.substr(offset, length)});
  }
  return tables;
}

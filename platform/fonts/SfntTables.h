#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A table of an sfnt font: its tag and its bytes, within the bytes it was read from.
struct SfntTable {
  std::string Tag;
  std::string_view Bytes;
};

// The tables of the sfnt whose offset table starts at `at` (a collection's font, or 0), in the
// order of its table records; nothing when the records, or a table, lie outside the bytes.
std::optional<std::vector<SfntTable>> ReadSfntTables(std::string_view bytes, std::size_t at = 0);

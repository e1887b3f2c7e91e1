#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The named instances of a variable font, from its "fvar" table as HarfBuzz sanitises it. A table
// whose instance records run past its end names none: its count (65,535, say) would otherwise
// make phantom faces of whatever bytes follow the table, named from any name record they hit.
namespace NamedInstances {

// The subfamily name ID of each named instance, in order, at most `most` of them.
std::vector<std::uint16_t> SubfamilyNameIds(std::string_view fvar, std::size_t most);

// How many named instances the table has.
unsigned Count(std::string_view fvar);

}  // namespace NamedInstances

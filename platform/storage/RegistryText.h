#pragma once

#include <string>

#include "platform/storage/IRegistry.h"

// A text value of the registry: empty when the key or the value is missing, the stored text of a
// text or expandable value (not expanded), and a PlatformError "Invalid data type for '<name>'"
// for a value of another type.
std::string ReadRegistryText(IRegistry& registry, RegistryRoot root, const std::string& key,
                             const std::string& name);

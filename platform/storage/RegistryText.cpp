#include "platform/storage/RegistryText.h"

#include "platform/PlatformError.h"

std::string ReadRegistryText(IRegistry& registry, RegistryRoot root, const std::string& key,
                             const std::string& name) {
  const std::optional<RegistryValue> value = registry.QueryValue(root, key, name);
  if (!value) return {};
  // Callers use the text as a folder name; a number there means the value was set by something
  // else, and guessing would put files in the wrong place.
  if (value->Type != RegistryType::Text && value->Type != RegistryType::ExpandableText) {
    throw PlatformError("Invalid data type for '" + name + "'");
  }
  return value->Text;
}

#pragma once

#include <cstdint>
#include <optional>
#include <string>

enum class RegistryRoot { CurrentUser, LocalMachine };
enum class RegistryType { Text, ExpandableText, Number };

struct RegistryValue {
  RegistryType Type = RegistryType::Text;
  std::string Text;
  std::uint32_t Number = 0;
};

// A store of keys holding typed values (the registry store file, see RegistryStore), addressed
// by Windows registry paths ("Software\\Microsoft\\...", backslash-separated, names matched
// without regard to case).
class IRegistry {
 public:
  virtual ~IRegistry() = default;

  // Whether the key exists; it is never created by asking.
  virtual bool KeyExists(RegistryRoot root, const std::string& key) = 0;

  // The value, or nothing when the key or the value is missing.
  virtual std::optional<RegistryValue> QueryValue(RegistryRoot root, const std::string& key,
                                                  const std::string& name) = 0;

  // Writes the value, creating the key. Throws PlatformError when the store cannot be written.
  virtual void SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                        const RegistryValue& value) = 0;
};

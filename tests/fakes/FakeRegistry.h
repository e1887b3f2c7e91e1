#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/storage/IRegistry.h"

// An in-memory registry for widget tests. Keys and values go in through SetValue (or AddKey for
// an empty key) and match without regard to ASCII case, with parent keys existing implicitly, as
// in the file-backed store.
class FakeRegistry final : public IRegistry {
 public:
  bool KeyExists(RegistryRoot root, const std::string& key) override;
  std::optional<RegistryValue> QueryValue(RegistryRoot root, const std::string& key,
                                          const std::string& name) override;
  void SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                const RegistryValue& value) override;

  // Creates a key with no values.
  void AddKey(RegistryRoot root, const std::string& key);
  // From now on every QueryValue and KeyExists throws PlatformError(message), as a corrupt or
  // unreadable store does; nothing clears it.
  void FailReadsWith(std::string message) { readFailure_ = std::move(message); }
  // From now on every SetValue throws PlatformError(message) and changes nothing, as an
  // unwritable store does.
  void FailWritesWith(std::string message) { writeFailure_ = std::move(message); }
  // How many SetValue calls succeeded.
  int WriteCount() const { return writeCount_; }

 private:
  using KeyId = std::pair<RegistryRoot, std::string>;           // normalised, lower-case path
  std::map<KeyId, std::map<std::string, RegistryValue>> keys_;  // values by lower-case name
  std::optional<std::string> readFailure_;
  std::optional<std::string> writeFailure_;
  int writeCount_ = 0;
};
